#include <QApplication>

#include "ui/tutor_app.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return CTutorApp().Run();
}

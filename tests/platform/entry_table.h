#pragma once

#include "platform/dialog_template.h"

// The entry wizard's table, the largest of the program's dialogs, with its grids as custom
// controls.
inline const DialogTemplate& EntryTable()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        "Таблитор", 350, 222, "MS Sans Serif", 8,
        {
            {1033, CentredStatic, 7, 7, 336, 187, "Info"},
            {1034, CentredStatic, 7, 10, 336, 52, "", Hidden},
            {1027, Static, 15, 65, 328, 10, "Введите количество уравнений канонической системы m ", Hidden},
            {1005, Edit, 70, 83, 31, 12, "", Hidden},
            {1007, UpDown, 100, 82, 11, 14, "", Hidden},
            {1028, Static, 15, 104, 328, 9, "Введите общее количество неизвестных (базисных и свободных) n", Hidden},
            {1006, Edit, 70, 124, 31, 12, "", Hidden},
            {1008, UpDown, 100, 124, 11, 14, "", Hidden},
            {1009, Static, 19, 8, 147, 12, "Введите элементы матрицы", Hidden},
            {1001, Custom, 7, 27, 336, 89, "", Hidden, "TutorGridCtrl"},
            {1010, Static, 19, 126, 310, 11, "Введите элементы функции", Hidden},
            {1036, Edit, 47, 157, 40, 12, "", Hidden},
            {1003, DropDownList, 17, 158, 39, 49, "", Hidden | Sorted},
            {1011, Static, 65, 158, 20, 11, "F(x)", Hidden},
            {1002, Custom, 94, 150, 249, 38, "", Hidden, "TutorGridCtrl"},
            {1052, Static, 7, 198, 274, 16, ""},
            {1004, Button, 7, 200, 50, 14, "Начать", Hidden},
            {1030, Button, 157, 200, 50, 14, "< Назад", Hidden},
            {1031, Button, 207, 200, 50, 14, "Далее >"},
            {2, Button, 293, 200, 50, 14, "Отмена"},
        },
        {{"Настройки", 32773, "Прочие"}},
    };
    return table;
}

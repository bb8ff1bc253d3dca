<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>CEntryDlg</name>
    <message>
        <source>Обозначения переменных</source>
        <translation>Names of the variables</translation>
    </message>
    <message>
        <source>Обозначение функции</source>
        <translation>Name of the function</translation>
    </message>
    <message>
        <source>Введите элементы матрицы</source>
        <translation>Enter the elements of the matrix</translation>
    </message>
    <message>
        <source>Введите коэффициенты целевой функции</source>
        <translation>Enter the coefficients of the objective function</translation>
    </message>
    <message>
        <source>№ Переменной</source>
        <translation>Variable No.</translation>
    </message>
    <message>
        <source>Обозначение</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Знак</source>
        <translation>Sign</translation>
    </message>
    <message>
        <source>Св.чл.</source>
        <translation>Const</translation>
    </message>
    <message>
        <source>Приведение к каноническому виду</source>
        <translation>Conversion to canonical form</translation>
    </message>
    <message>
        <source>Подготовьтесь, пожалуйста, получше и приходите
в следующий раз!</source>
        <translation>Please prepare a little better and come back
next time!</translation>
    </message>
    <message>
        <source>Задачи ЛП (*.lp)</source>
        <translation>LP problems (*.lp)</translation>
    </message>
    <message>
        <source>Открытие задачи</source>
        <translation>Opening a problem</translation>
    </message>
    <message>
        <source>Сохранение задачи</source>
        <translation>Saving the problem</translation>
    </message>
    <message>
        <source>Открыть задачу</source>
        <translation>Open a problem</translation>
    </message>
    <message>
        <source>Не удалось открыть задачу из файла
%1

%2</source>
        <translation>Could not open a problem from the file
%1

%2</translation>
    </message>
    <message>
        <source>В задаче есть неравенства, поэтому включена настройка «Общая задача (неравенства, искусственный базис)».
Её можно выключить в меню «Настройки» → «Прочие».</source>
        <translation>The problem has inequalities, so the setting “General problem (inequalities, artificial basis)” has been switched on.
It can be switched off in the menu “Settings” → “Other”.</translation>
    </message>
    <message>
        <source>Задачу нельзя сохранить.
%1</source>
        <translation>The problem cannot be saved.
%1</translation>
    </message>
    <message>
        <source>задача</source>
        <translation>problem</translation>
    </message>
    <message>
        <source>Сохранить задачу</source>
        <translation>Save the problem</translation>
    </message>
    <message>
        <source>Не удалось сохранить задачу в файл
%1

%2. Прежний файл, если он был, не изменён.</source>
        <translation>Could not save the problem to the file
%1

%2. The earlier file, if there was one, is unchanged.</translation>
    </message>
</context>
<context>
    <name>CGridCtrl</name>
    <message>
        <source>столбец %1</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>строка %1</source>
        <translation>row %1</translation>
    </message>
</context>
<context>
    <name>CPictureWnd</name>
    <message>
        <source>Сохранить график</source>
        <translation>Save the graph</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png);;Рисунок SVG (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Не удалось сохранить график в файл
%1</source>
        <translation>Could not save the graph to the file
%1</translation>
    </message>
</context>
<context>
    <name>CSettingsDlg</name>
    <message>
        <source>Введите ширину полей от %1 до %2</source>
        <translation>Enter a field width from %1 to %2</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Русский</translation>
    </message>
</context>
<context>
    <name>CStepDlg</name>
    <message>
        <source>Прервать решение задачи?</source>
        <translation>Stop solving the problem?</translation>
    </message>
</context>
<context>
    <name>CTableDlg</name>
    <message>
        <source>Не хватило памяти, чтобы решить задачу еще раз.</source>
        <translation>There was not enough memory to solve the problem again.</translation>
    </message>
</context>
<context>
    <name>Calculator</name>
    <message>
        <source>Отсутствует выражение</source>
        <translation>no expression</translation>
    </message>
    <message>
        <source>Недопустимый оператор</source>
        <translation>invalid operator</translation>
    </message>
    <message>
        <source>) отсутствует</source>
        <translation>) missing</translation>
    </message>
    <message>
        <source>Недопустимая функция</source>
        <translation>invalid function</translation>
    </message>
    <message>
        <source>Возведение нуля в степень, которая не больше 0</source>
        <translation>zero raised to a power that is not greater than 0</translation>
    </message>
    <message>
        <source>Возводимое число, котрое меньше нуля не в целой степени</source>
        <translation>a number less than zero raised to a non-integer power</translation>
    </message>
    <message>
        <source>невозможно вычислить tg</source>
        <translation>tg cannot be computed</translation>
    </message>
    <message>
        <source>невозможно вычислить сtg</source>
        <translation>ctg cannot be computed</translation>
    </message>
    <message>
        <source>аргумент lg &lt;= 0</source>
        <translation>argument of lg &lt;= 0</translation>
    </message>
    <message>
        <source>не допустимое значение аргумента asin</source>
        <translation>invalid argument of asin</translation>
    </message>
    <message>
        <source>не допустимое значение аргумента acos</source>
        <translation>invalid argument of acos</translation>
    </message>
    <message>
        <source>операнд % вне диапазона от -2147483648 до 2147483647</source>
        <translation>operand of % outside the range -2147483648 to 2147483647</translation>
    </message>
</context>
<context>
    <name>CanonicalForm</name>
    <message>
        <source>умножено на -1</source>
        <translation>multiplied by -1</translation>
    </message>
    <message>
        <source>добавлено неизвестное %1 с коэффициентом +1, оно базисное</source>
        <translation>slack variable %1 added with coefficient +1, it is basic</translation>
    </message>
    <message>
        <source>добавлено неизвестное %1 с коэффициентом -1</source>
        <translation>surplus variable %1 added with coefficient -1</translation>
    </message>
    <message>
        <source>добавлено искусственное неизвестное %1 с ценой %2</source>
        <translation>artificial variable %1 added with cost %2</translation>
    </message>
    <message>
        <source>%1 уравнение: %2.</source>
        <translation>Equation %1: %2.</translation>
    </message>
    <message>
        <source>Задача приведена к каноническому виду:</source>
        <translation>The problem has been converted to canonical form:</translation>
    </message>
    <message>
        <source>Остальные изменения (еще %1 уравнений) видны в первой таблице.</source>
        <translation>The other changes (%1 more equations) are shown in the first table.</translation>
    </message>
    <message>
        <source>Задача с искусственными неизвестными решается M-методом: индексная строка делится на две, часть при M и числовую часть, и оценки сравниваются сначала по части при M.</source>
        <translation>A problem with artificial variables is solved by the big-M method: the index row is split in two, the part at M and the numeric part, and the reduced costs are compared by their part at M first.</translation>
    </message>
</context>
<context>
    <name>Captions</name>
    <message>
        <source>Таблитор</source>
        <translation>Tablitor</translation>
    </message>
    <message>
        <source>Ошибка ввода</source>
        <translation>Input error</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка вычисления</source>
        <translation>Calculation error</translation>
    </message>
    <message>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Выбор базиса</source>
        <translation>Choice of the basis</translation>
    </message>
    <message>
        <source>Ввод данных</source>
        <translation>Data entry</translation>
    </message>
    <message>
        <source>Таблитор</source>
        <translation>Tablitor</translation>
    </message>
    <message>
        <source>Введите количество уравнений канонической системы m </source>
        <translation>Enter the number of equations of the canonical system m </translation>
    </message>
    <message>
        <source>Введите общее количество неизвестных (базисных и свободных) n</source>
        <translation>Enter the total number of variables (basic and nonbasic) n</translation>
    </message>
    <message>
        <source>Введите элементы матрицы</source>
        <translation>Enter the elements of the matrix</translation>
    </message>
    <message>
        <source>Введите элементы функции</source>
        <translation>Enter the elements of the function</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Открыть...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>&lt; Назад</source>
        <translation>&lt; Back</translation>
    </message>
    <message>
        <source>Далее &gt;</source>
        <translation>Next &gt;</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Прочие</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Прочие настройки</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Ширина полей ввода</source>
        <translation>Width of input fields</translation>
    </message>
    <message>
        <source>Ширина полей вывода</source>
        <translation>Width of output fields</translation>
    </message>
    <message>
        <source>Режим отображения</source>
        <translation>Display mode</translation>
    </message>
    <message>
        <source>Обыкновенные дроби</source>
        <translation>Common fractions</translation>
    </message>
    <message>
        <source>Десятичные дроби</source>
        <translation>Decimal fractions</translation>
    </message>
    <message>
        <source>Объяснять ошибки</source>
        <translation>Explain mistakes</translation>
    </message>
    <message>
        <source>Общая задача (неравенства, искусственный базис)</source>
        <translation>General problem (inequalities, artificial basis)</translation>
    </message>
    <message>
        <source>Показывать график</source>
        <translation>Show the graph</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске программы.</source>
        <translation>The language changes at the next start of the program.</translation>
    </message>
    <message>
        <source>Решение программы</source>
        <translation>Program&apos;s solution</translation>
    </message>
    <message>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Вывод результатов</source>
        <translation>Output results</translation>
    </message>
    <message>
        <source>Решение</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>Ключевая строка новой таблицы</source>
        <translation>Pivot row of the new table</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Введите целое число.</source>
        <translation>Enter an integer.</translation>
    </message>
</context>
<context>
    <name>EntryChecks</name>
    <message>
        <source>Система уравнений не каноническая</source>
        <translation>The system of equations is not canonical</translation>
    </message>
    <message>
        <source>Задачу с неравенствами или без явного базиса программа приведет к каноническому виду сама, если включить &quot;Общая задача&quot; в меню Настройки, Прочие.</source>
        <translation>The program converts a problem with inequalities or without an obvious basis to canonical form itself if &quot;General problem&quot; is switched on in the menu Settings, Other.</translation>
    </message>
    <message>
        <source>Введите знак %1 уравнения: =, &lt;= или &gt;=</source>
        <translation>Enter the sign of equation %1: =, &lt;= or &gt;=</translation>
    </message>
    <message>
        <source>Неправильный знак %1 уравнения: допустимы =, &lt;= и &gt;=</source>
        <translation>Wrong sign of equation %1: =, &lt;= and &gt;= are allowed</translation>
    </message>
    <message>
        <source>Введите значение для %1 переменной %2 уравнения</source>
        <translation>Enter a value for variable %1 of equation %2</translation>
    </message>
    <message>
        <source>Введите значение правой части для %1 уравнения</source>
        <translation>Enter the right-hand side of equation %1</translation>
    </message>
    <message>
        <source>Введите значение свободного члена целевой функции</source>
        <translation>Enter the constant term of the objective function</translation>
    </message>
    <message>
        <source>Введите значение для %1 коэффициента целевой функции</source>
        <translation>Enter coefficient %1 of the objective function</translation>
    </message>
    <message>
        <source>Неправильный формат данных для %1 переменной %2 уравнения</source>
        <translation>Wrong number format for variable %1 of equation %2</translation>
    </message>
    <message>
        <source>Неправильный формат данных для правой части %1 уравнения</source>
        <translation>Wrong number format for the right-hand side of equation %1</translation>
    </message>
    <message>
        <source>Неправильный формат данных свободного члена целевой функции</source>
        <translation>Wrong number format for the constant term of the objective function</translation>
    </message>
    <message>
        <source>Неправильный формат данных для %1 коэффициента целевой функции</source>
        <translation>Wrong number format for coefficient %1 of the objective function</translation>
    </message>
    <message>
        <source>Введите допустимые значения</source>
        <translation>Enter allowed values</translation>
    </message>
    <message>
        <source>Введите обозначение %1 переменной</source>
        <translation>Enter the name of variable %1</translation>
    </message>
    <message>
        <source>Введите обозначение для функции</source>
        <translation>Enter the name of the function</translation>
    </message>
    <message>
        <source>%1-е уравнение имеет отрицательную правую часть</source>
        <translation>Equation %1 has a negative right-hand side</translation>
    </message>
</context>
<context>
    <name>Explanations</name>
    <message>
        <source>Похоже, оценка взята со знаком задачи на максимум, а в задаче на минимум ее считают по той же формуле, с коэффициентами функции в том виде, в каком они введены.</source>
        <translation>It looks as if the reduced cost was taken with the sign of a maximisation problem; in a minimisation problem it is computed by the same formula, with the coefficients of the function as they were entered.</translation>
    </message>
    <message>
        <source>Ошибка в знаке.</source>
        <translation>The sign is wrong.</translation>
    </message>
    <message>
        <source>Это значение %1 в прежней таблице, а в новой таблице его нужно пересчитать.</source>
        <translation>This is the value of %1 in the previous table; in the new table it must be computed again.</translation>
    </message>
    <message>
        <source>Похоже, вы умножили на ключевой элемент %1, а на него нужно делить.</source>
        <translation>It looks as if you multiplied by the pivot element %1; you must divide by it.</translation>
    </message>
    <message>
        <source> (часть при M сравнивают первой)</source>
        <translation> (the part at M is compared first)</translation>
    </message>
    <message>
        <source>Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного неизвестного это его цена без части при M; C(0) — свободный член функции.</source>
        <translation>Here C(j) is the coefficient of the j-th variable in the function; for a basic variable it is its cost without the part at M; C(0) is the constant term of the function.</translation>
    </message>
    <message>
        <source>Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного неизвестного это его цена без части при M.</source>
        <translation>Here C(j) is the coefficient of the j-th variable in the function; for a basic variable it is its cost without the part at M.</translation>
    </message>
    <message>
        <source>Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного неизвестного это его цена; C(0) — свободный член функции.</source>
        <translation>Here C(j) is the coefficient of the j-th variable in the function; for a basic variable it is its cost; C(0) is the constant term of the function.</translation>
    </message>
    <message>
        <source>Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного неизвестного это его цена.</source>
        <translation>Here C(j) is the coefficient of the j-th variable in the function; for a basic variable it is its cost.</translation>
    </message>
    <message>
        <source>M(0) — часть значения функции при M: сумма произведений частей цен базисных неизвестных при M на их свободные члены:</source>
        <translation>M(0) is the part at M of the value of the function: the sum of the products of the parts at M of the basic variables&apos; costs and their right-hand sides:</translation>
    </message>
    <message>
        <source>Часть оценки при M %1 — сумма произведений частей цен базисных неизвестных при M на элементы столбца %2 минус часть при M коэффициента функции при %2:</source>
        <translation>The part at M of the reduced cost %1 is the sum of the products of the parts at M of the basic variables&apos; costs and the elements of column %2, minus the part at M of the function&apos;s coefficient of %2:</translation>
    </message>
    <message>
        <source>Здесь CM(j) — часть при M коэффициента функции при j-м неизвестном: %1 у искусственного неизвестного, 0 у остальных.</source>
        <translation>Here CM(j) is the part at M of the function&apos;s coefficient of the j-th variable: %1 for an artificial variable, 0 for the others.</translation>
    </message>
    <message>
        <source>Ind(0) — значение функции: сумма произведений цен базисных неизвестных на их свободные члены плюс свободный член функции:</source>
        <translation>Ind(0) is the value of the function: the sum of the products of the basic variables&apos; costs and their right-hand sides plus the constant term of the function:</translation>
    </message>
    <message>
        <source>Оценка %1 — сумма произведений цен базисных неизвестных на элементы столбца %2 минус коэффициент функции при %2:</source>
        <translation>The reduced cost %1 is the sum of the products of the basic variables&apos; costs and the elements of column %2, minus the function&apos;s coefficient of %2:</translation>
    </message>
    <message>
        <source>Элемент ключевой строки новой таблицы — элемент ключевой строки прежней таблицы, деленный на ключевой элемент %1:</source>
        <translation>An element of the pivot row of the new table is the element of the pivot row of the previous table divided by the pivot element %1:</translation>
    </message>
    <message>
        <source>Элемент новой таблицы считают по правилу прямоугольника: из его прежнего значения вычитают произведение элемента его строки в ключевом столбце на элемент ключевой строки в его столбце, деленное на ключевой элемент %1:</source>
        <translation>An element of the new table is computed by the rectangle rule: from its previous value subtract the product of its row&apos;s element in the pivot column and the pivot row&apos;s element in its column, divided by the pivot element %1:</translation>
    </message>
    <message>
        <source>Справа — элементы прежней таблицы.</source>
        <translation>On the right are the elements of the previous table.</translation>
    </message>
    <message>
        <source>%1 — базисное неизвестное, а другую оптимальную таблицу дает только небазисное неизвестное с нулевой оценкой.</source>
        <translation>%1 is a basic variable, and only a nonbasic variable with a zero reduced cost gives another optimal table.</translation>
    </message>
    <message>
        <source>Оценка %1 не равна нулю: таблица уже оптимальна, и другую оптимальную таблицу дает только небазисное неизвестное с нулевой оценкой.</source>
        <translation>The reduced cost %1 is not zero: the table is already optimal, and only a nonbasic variable with a zero reduced cost gives another optimal table.</translation>
    </message>
    <message>
        <source>В столбце %1 нет положительных элементов: ключевой элемент в нем выбрать нельзя.</source>
        <translation>Column %1 has no positive elements: no pivot element can be chosen in it.</translation>
    </message>
    <message>
        <source>Оценка %1 не отрицательна: ввод %2 в базис не увеличит функцию. В задаче на максимум ключевым берут столбец с отрицательной оценкой.</source>
        <translation>The reduced cost %1 is not negative: bringing %2 into the basis will not increase the function. In a maximisation problem the pivot column is one with a negative reduced cost.</translation>
    </message>
    <message>
        <source>Оценка %1 не положительна: ввод %2 в базис не уменьшит функцию. В задаче на минимум ключевым берут столбец с положительной оценкой.</source>
        <translation>The reduced cost %1 is not positive: bringing %2 into the basis will not decrease the function. In a minimisation problem the pivot column is one with a positive reduced cost.</translation>
    </message>
    <message>
        <source>В столбце %1 нет положительных элементов: %1 можно увеличивать без конца, а это значит, что функция не ограничена. Ключевым такой столбец быть не может.</source>
        <translation>Column %1 has no positive elements: %1 can grow without limit, which means that the function is unbounded. Such a column cannot be the pivot column.</translation>
    </message>
    <message>
        <source>Элемент %1 = %2 не положителен: ключевой элемент выбирают среди положительных элементов ключевого столбца.</source>
        <translation>The element %1 = %2 is not positive: the pivot element is chosen among the positive elements of the pivot column.</translation>
    </message>
    <message>
        <source>Отношение %1 не наименьшее. Ключевой элемент — тот положительный элемент ключевого столбца, у которого отношение B(i) : A(i,%2) наименьшее.</source>
        <translation>The ratio %1 is not the smallest. By the ratio test, the pivot element is the positive element of the pivot column with the smallest ratio B(i) : A(i,%2).</translation>
    </message>
    <message>
        <source>Базисное неизвестное входит в свое уравнение с коэффициентом 1, а в остальные уравнения — с коэффициентом 0.</source>
        <translation>A basic variable has the coefficient 1 in its own equation and the coefficient 0 in the other equations.</translation>
    </message>
    <message>
        <source>У %1 во %2 уравнении коэффициент %3.</source>
        <translation>%1 has the coefficient %3 in equation %2.</translation>
    </message>
    <message>
        <source>У %1 в %2 уравнении коэффициент %3.</source>
        <translation>%1 has the coefficient %3 in equation %2.</translation>
    </message>
    <message>
        <source>Столбец %1 тоже такой, но из нескольких таких неизвестных базисным в уравнении берется последнее.</source>
        <translation>Column %1 is such a column too, but of several such variables the last one is taken as the equation&apos;s basic variable.</translation>
    </message>
    <message>
        <source>Оценка %1 отрицательна%2: таблицу можно улучшить.</source>
        <translation>The reduced cost %1 is negative%2: the table can be improved.</translation>
    </message>
    <message>
        <source>Оценка %1 положительна%2: таблицу можно улучшить.</source>
        <translation>The reduced cost %1 is positive%2: the table can be improved.</translation>
    </message>
    <message>
        <source>Оценка %1 отрицательна%2, но в столбце %3 нет положительных элементов: функция не ограничена, и следующую таблицу построить нельзя.</source>
        <translation>The reduced cost %1 is negative%2, but column %3 has no positive elements: the function is unbounded, and no next table can be built.</translation>
    </message>
    <message>
        <source>Оценка %1 положительна%2, но в столбце %3 нет положительных элементов: функция не ограничена, и следующую таблицу построить нельзя.</source>
        <translation>The reduced cost %1 is positive%2, but column %3 has no positive elements: the function is unbounded, and no next table can be built.</translation>
    </message>
    <message>
        <source>Ни одна оценка индексной строки не отрицательна: таблица оптимальна, и улучшить ее нельзя.</source>
        <translation>No reduced cost in the index row is negative: the table is optimal and cannot be improved.</translation>
    </message>
    <message>
        <source>Ни одна оценка индексной строки не положительна: таблица оптимальна, и улучшить ее нельзя.</source>
        <translation>No reduced cost in the index row is positive: the table is optimal and cannot be improved.</translation>
    </message>
    <message>
        <source>Ни одна часть оценки при M не отрицательна, а искусственное неизвестное осталось в базисе со значением больше 0: его уже нельзя вывести, и система ограничений несовместна.</source>
        <translation>No part at M of a reduced cost is negative, yet an artificial variable is still basic with a value greater than 0: it can no longer leave the basis, so the constraints are infeasible.</translation>
    </message>
    <message>
        <source>Ни одна часть оценки при M не положительна, а искусственное неизвестное осталось в базисе со значением больше 0: его уже нельзя вывести, и система ограничений несовместна.</source>
        <translation>No part at M of a reduced cost is positive, yet an artificial variable is still basic with a value greater than 0: it can no longer leave the basis, so the constraints are infeasible.</translation>
    </message>
</context>
<context>
    <name>LpFile</name>
    <message>
        <source>Знак %1 уравнения должен быть =, &lt;= или &gt;=</source>
        <translation>The sign of equation %1 must be =, &lt;= or &gt;=</translation>
    </message>
    <message>
        <source>Файл больше 1 МБ: это не задача</source>
        <translation>The file is larger than 1 MB: it is not a problem</translation>
    </message>
    <message>
        <source>Файл не текстовый</source>
        <translation>The file is not a text file</translation>
    </message>
    <message>
        <source>текст не в кодировке UTF-8</source>
        <translation>the text is not in UTF-8</translation>
    </message>
    <message>
        <source>Файл пуст</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>файл кончился, а %1</source>
        <translation>the file ended, but %1</translation>
    </message>
    <message>
        <source>раздел %1 не поддерживается: в задаче бывают только разделы Maximize или Minimize, Subject To, Bounds и End</source>
        <translation>the section %1 is not supported: a problem has only the sections Maximize or Minimize, Subject To, Bounds and End</translation>
    </message>
    <message>
        <source>пустое имя в кавычках</source>
        <translation>empty quoted name</translation>
    </message>
    <message>
        <source>имя переменной %1 длиннее трёх знаков</source>
        <translation>the variable name %1 is longer than three characters</translation>
    </message>
    <message>
        <source>больше %1 переменных, а в задаче их может быть от 1 до %1</source>
        <translation>more than %1 variables, but a problem may have from 1 to %1</translation>
    </message>
    <message>
        <source>переменная %1 встречается в выражении дважды</source>
        <translation>the variable %1 occurs twice in the expression</translation>
    </message>
    <message>
        <source>нулевой знаменатель в числе %1</source>
        <translation>zero denominator in the number %1</translation>
    </message>
    <message>
        <source>число %1 не помещается в ячейку ввода: числитель и знаменатель не больше 2147483647</source>
        <translation>the number %1 does not fit an input cell: numerator and denominator are at most 2147483647</translation>
    </message>
    <message>
        <source>второй свободный член целевой функции</source>
        <translation>a second constant term of the objective function</translation>
    </message>
    <message>
        <source>непонятный свободный член в комментарии: %1</source>
        <translation>unreadable constant term in a comment: %1</translation>
    </message>
    <message>
        <source>ожидался раздел Subject To</source>
        <translation>the section Subject To was expected</translation>
    </message>
    <message>
        <source>ожидался знак + или -</source>
        <translation>a sign + or - was expected</translation>
    </message>
    <message>
        <source>ожидалось число или имя переменной</source>
        <translation>a number or a variable name was expected</translation>
    </message>
    <message>
        <source>больше %1 уравнений, а в задаче их может быть от 1 до %1</source>
        <translation>more than %1 equations, but a problem may have from 1 to %1</translation>
    </message>
    <message>
        <source>в разделе Subject To нет ни одного уравнения</source>
        <translation>the section Subject To has no equations</translation>
    </message>
    <message>
        <source>ожидалось имя переменной</source>
        <translation>a variable name was expected</translation>
    </message>
    <message>
        <source>ожидался знак =, &lt;= или &gt;=</source>
        <translation>a sign =, &lt;= or &gt;= was expected</translation>
    </message>
    <message>
        <source>ожидалось число в правой части</source>
        <translation>a number was expected on the right-hand side</translation>
    </message>
    <message>
        <source>ожидалось имя переменной или число</source>
        <translation>a variable name or a number was expected</translation>
    </message>
    <message>
        <source>в границе должны быть имя переменной и число</source>
        <translation>a bound must have a variable name and a number</translation>
    </message>
    <message>
        <source>граница для %1 не поддерживается: допустима только %2 &gt;= 0</source>
        <translation>the bound for %1 is not supported: only %2 &gt;= 0 is allowed</translation>
    </message>
    <message>
        <source>ожидалось Maximize или Minimize</source>
        <translation>Maximize or Minimize was expected</translation>
    </message>
    <message>
        <source>ожидалось End</source>
        <translation>End was expected</translation>
    </message>
    <message>
        <source>ожидался раздел Bounds или End</source>
        <translation>the section Bounds or End was expected</translation>
    </message>
    <message>
        <source>после End ничего не должно быть</source>
        <translation>nothing may follow End</translation>
    </message>
    <message>
        <source>Строка %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>имя в кавычках не закрыто</source>
        <translation>a quoted name is not closed</translation>
    </message>
    <message>
        <source>управляющий символ в имени</source>
        <translation>a control character in a name</translation>
    </message>
    <message>
        <source>управляющий символ с кодом %1</source>
        <translation>a control character with the code %1</translation>
    </message>
    <message>
        <source>непонятный знак %1</source>
        <translation>unexpected character %1</translation>
    </message>
    <message>
        <source>дроби вида 2/3</source>
        <translation>fractions such as 2/3</translation>
    </message>
    <message>
        <source>имена с кириллицей</source>
        <translation>names with Cyrillic letters</translation>
    </message>
    <message>
        <source>имена в кавычках</source>
        <translation>quoted names</translation>
    </message>
    <message>
        <source>Задача Таблитора: в файле есть расширения формата LP: %1</source>
        <translation>A Tablitor problem: the file uses extensions of the LP format: %1</translation>
    </message>
    <message>
        <source>В задаче может быть от 1 до %1 уравнений</source>
        <translation>A problem may have from 1 to %1 equations</translation>
    </message>
    <message>
        <source>В задаче может быть от 1 до %1 переменных</source>
        <translation>A problem may have from 1 to %1 variables</translation>
    </message>
    <message>
        <source>Число коэффициентов не совпадает с числом переменных</source>
        <translation>The number of coefficients differs from the number of variables</translation>
    </message>
    <message>
        <source>Обозначение %1 переменной должно состоять из 1–3 знаков</source>
        <translation>The name of variable %1 must have 1–3 characters</translation>
    </message>
    <message>
        <source>У %1 и %2 переменной одно обозначение %3: в файле у каждой переменной должно быть своё</source>
        <translation>Variables %1 and %2 have the same name %3: in a file each variable must have its own</translation>
    </message>
    <message>
        <source>Обозначение функции должно состоять из одного знака</source>
        <translation>The name of the function must be one character</translation>
    </message>
    <message>
        <source>Число %1 не помещается в ячейку ввода</source>
        <translation>The number %1 does not fit an input cell</translation>
    </message>
    <message>
        <source>Такого файла нет</source>
        <translation>There is no such file</translation>
    </message>
    <message>
        <source>Это папка, а не файл</source>
        <translation>This is a folder, not a file</translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation>This is not a regular file</translation>
    </message>
    <message>
        <source>Нет прав на чтение файла</source>
        <translation>No permission to read the file</translation>
    </message>
    <message>
        <source>Файл не удаётся прочитать</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>Нет прав на запись в эту папку или в этот файл</source>
        <translation>No permission to write to this folder or this file</translation>
    </message>
    <message>
        <source>Запись не удалась: возможно, на диске нет места</source>
        <translation>Writing failed: perhaps the disk is full</translation>
    </message>
</context>
<context>
    <name>PageTexts</name>
    <message>
        <source>


Т А Б Л И Т О Р


Тренажер по симплекс-методу линейного программирования

Вы ведете каноническую задачу от первой симплексной таблицы до решения, а программа проверяет каждый ваш шаг</source>
        <translation>


T A B L I T O R


A tutor for the simplex method of linear programming

You take a canonical problem from the first simplex table to the solution, and the program checks every step you take</translation>
    </message>
    <message>
        <source>И Н С Т Р У К Ц И Я

	Предполагается, что Вы хорошо знаете алгоритм симплекс-метода.

	Программа &quot;ТАБЛИТОР&quot; только помогает преобразовывать под Вашим руководством очередную симплексную таблицу канонической задачи ЛП, причем на каждом шаге решение Вы принимаете сами. Если же Вы не знаете, какое принять решение, то программа прекращает работу. Однако на каждом шаге можно допустить одну-две ошибки с их последующим исправлением.
	Вводимая система уравнений обязана быть КАНОНИЧЕСКОЙ, если не включена &quot;Общая задача&quot; в меню Настройки, Прочие: тогда программа сама приведет неравенства к каноническому виду. Целевая функция может быть выражена через любые неизвестные - как СВОБОДНЫЕ, так и БАЗИСНЫЕ. Свободный член целевой функции может быть и равен нулю и отличен от нуля. 

 Возможные РАЗМЕРЫ ЗАДАЧИ: 

 m &lt;= 100, n&lt;= 100, 

 где 
m - количество уравнений канонической задачи,
 n - общее количество неизвестных (базисных и свободных)</source>
        <translation>I N S T R U C T I O N S

	You are expected to know the simplex algorithm well.

	The program &quot;TABLITOR&quot; only helps you transform, under your direction, each next simplex table of a canonical LP problem, and at every step you take the decision yourself. If you do not know which decision to take, the program stops. At every step, however, you may make one or two mistakes and correct them.
	The system of equations you enter must be CANONICAL unless &quot;General problem&quot; is switched on in the menu Settings, Other: then the program converts inequalities to canonical form itself. The objective function may be expressed in any variables, NONBASIC as well as BASIC. The constant term of the objective function may be zero or not. 

 Possible SIZES OF A PROBLEM: 

 m &lt;= 100, n&lt;= 100, 

 where 
m - the number of equations of the canonical problem,
 n - the total number of variables (basic and nonbasic)</translation>
    </message>
    <message>
        <source>
	 В процессе работы программы Вам придется вычислять некоторые элементы симплексной таблицы. Их вычисление можно поручить компьютеру. Для этого следует набрать арифметическое выражение вычисляемого элемента.

 Например: 

 -21-32*-7 

 или 

 7.3-15/-4+9 

 и т.п. 

	Значения можно вводить в виде обыкновенных дробей (например, 3/5) или в виде числовых значений, НЕ МЕНЕЕ чем с ТРЕМЯ знаками после запятой.

Завершив решение задачи, Вы можете вывести результаты в документ Excel для последующей распечатки.</source>
        <translation>
	 As the program runs you will compute some elements of the simplex table. You may leave the arithmetic to the computer: type the arithmetic expression of the element.

 For example: 

 -21-32*-7 

 or 

 7.3-15/-4+9 

 and so on. 

	Values may be entered as common fractions (for example, 3/5) or as decimal numbers with AT LEAST THREE digits after the point.

When you have solved the problem, you can output the results to a spreadsheet to print them.</translation>
    </message>
    <message>
        <source>ВВОД ДАННЫХ

Введите РАЗМЕРЫ ЗАДАЧИ</source>
        <translation>DATA ENTRY

Enter the SIZES OF THE PROBLEM</translation>
    </message>
    <message>
        <source>ВВОД ДАННЫХ

Как вы хотите обозначить неизвестные и функцию?
Введите в таблицу НАЗВАНИЯ неизвестных, состоящие НЕ БОЛЕЕ чем из ТРЕХ букв или цифр, а также обозначение функции.</source>
        <translation>DATA ENTRY

How do you want to name the variables and the function?
Enter the NAMES of the variables in the table, of NO MORE than THREE letters or digits, and the name of the function.</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>Вершины:%1 — оптимум</source>
        <translation>Vertices:%1 — optimum</translation>
    </message>
    <message>
        <source>Вершины:%1 — функция не ограничена</source>
        <translation>Vertices:%1 — the function is unbounded</translation>
    </message>
    <message>
        <source>Вершины:%1</source>
        <translation>Vertices:%1</translation>
    </message>
    <message>
        <source>оптимум</source>
        <translation>optimum</translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>Подсчитайте элементы индексной строки. Введите точное значение или арифметическое выражение</source>
        <translation>Compute the elements of the index row (the reduced costs). Enter the exact value or an arithmetic expression</translation>
    </message>
    <message>
        <source>Подсчитайте элементы ключевой строки. Введите точное значение или арифметическое выражение</source>
        <translation>Compute the elements of the pivot row. Enter the exact value or an arithmetic expression</translation>
    </message>
    <message>
        <source>Подсчитайте некоторые элементы новой таблицы. Введите точное значение или арифметическое выражение</source>
        <translation>Compute some elements of the new table. Enter the exact value or an arithmetic expression</translation>
    </message>
    <message>
        <source>Ошибка синтаксиса выражение длиннее %1 символов, не прочитан конец: %2</source>
        <translation>Syntax error: the expression is longer than %1 characters, its end was not read: %2</translation>
    </message>
    <message>
        <source>Ошибка синтаксиса не разобран конец выражения: %1</source>
        <translation>Syntax error: the end of the expression could not be read: %1</translation>
    </message>
    <message>
        <source>Деление на 0</source>
        <translation>Division by 0</translation>
    </message>
    <message>
        <source>Ошибка синтаксиса %1</source>
        <translation>Syntax error: %1</translation>
    </message>
    <message>
        <source>Ошибка в процессе вычисления %1</source>
        <translation>Error while computing: %1</translation>
    </message>
    <message>
        <source>Выберите базисное неизвестное во %1 уравнении</source>
        <translation>Choose the basic variable of equation %1</translation>
    </message>
    <message>
        <source>Выберите базисное неизвестное в %1 уравнении</source>
        <translation>Choose the basic variable of equation %1</translation>
    </message>
    <message>
        <source>Выберите базисное неизвестное</source>
        <translation>Choose the basic variable</translation>
    </message>
    <message>
        <source>Неизвестное %1 не является базисным в %2 уравнении</source>
        <translation>The variable %1 is not the basic variable of equation %2</translation>
    </message>
    <message>
        <source>Элемент индексной строки %1 рассчитан неверно</source>
        <translation>The index row element %1 is computed wrongly</translation>
    </message>
    <message>
        <source>Элемент ключевой строки %1 рассчитан неверно</source>
        <translation>The pivot row element %1 is computed wrongly</translation>
    </message>
    <message>
        <source>Элемент %1 рассчитан неверно</source>
        <translation>The element %1 is computed wrongly</translation>
    </message>
    <message>
        <source>Расчет неверный, повторите еще раз</source>
        <translation>The value is wrong, try again</translation>
    </message>
    <message>
        <source>Ключевой столбец</source>
        <translation>Pivot column</translation>
    </message>
    <message>
        <source>Строка ключевого элемента</source>
        <translation>Row of the pivot element</translation>
    </message>
    <message>
        <source>Выберите ключевой столбец</source>
        <translation>Choose the pivot column</translation>
    </message>
    <message>
        <source>Выберите ключевой элемент</source>
        <translation>Choose the pivot element</translation>
    </message>
    <message>
        <source>Введите целое число.</source>
        <translation>Enter an integer.</translation>
    </message>
    <message>
        <source>Введите номер столбца от 1 до %1</source>
        <translation>Enter a column number from 1 to %1</translation>
    </message>
    <message>
        <source>Введите номер строки от 1 до %1</source>
        <translation>Enter a row number from 1 to %1</translation>
    </message>
    <message>
        <source>Ключевой столбец выбран неправильно</source>
        <translation>The pivot column is chosen wrongly</translation>
    </message>
    <message>
        <source>Ключевой элемент выбран неправильно</source>
        <translation>The pivot element is chosen wrongly</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Отчет записан в файл
%1</source>
        <translation>The report has been written to the file
%1</translation>
    </message>
    <message>
        <source>Не удалось создать папку для отчета:
%1</source>
        <translation>Could not create the folder for the report:
%1</translation>
    </message>
    <message>
        <source>Отчет записан в файл
%1
но открыть его не удалось: не нашлось программы для файлов .xlsx. Откройте файл сами, например в LibreOffice Calc.</source>
        <translation>The report has been written to the file
%1
but it could not be opened: there is no program for .xlsx files. Open the file yourself, for example in LibreOffice Calc.</translation>
    </message>
    <message>
        <source>Шаг %1</source>
        <translation>Step %1</translation>
    </message>
    <message>
        <source>не хватило памяти</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>не удалось записать временный файл</source>
        <translation>a temporary file could not be written</translation>
    </message>
    <message>
        <source>таблицы не помещаются на лист</source>
        <translation>the tables do not fit on the sheet</translation>
    </message>
    <message>
        <source>текст ячейки длиннее 32767 знаков</source>
        <translation>a cell&apos;s text is longer than 32767 characters</translation>
    </message>
    <message>
        <source>ошибка записи (код %1)</source>
        <translation>write error (code %1)</translation>
    </message>
    <message>
        <source>Не удалось записать ячейку %1 в файл %2: %3.</source>
        <translation>Could not write the cell %1 to the file %2: %3.</translation>
    </message>
    <message>
        <source>Не удалось создать файл %1. Проверьте, что папка существует и в неё можно записывать.</source>
        <translation>Could not create the file %1. Check that the folder exists and can be written to.</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2.</source>
        <translation>Could not write the file %1: %2.</translation>
    </message>
    <message>
        <source>Неверный размер таблицы: уравнений %1, неизвестных %2.</source>
        <translation>Wrong size of the table: %1 equations, %2 variables.</translation>
    </message>
    <message>
        <source>Не удалось создать файл %1.</source>
        <translation>Could not create the file %1.</translation>
    </message>
    <message>
        <source>Не удалось подготовить лист для файла %1: %2.</source>
        <translation>Could not prepare a sheet for the file %1: %2.</translation>
    </message>
    <message>
        <source>Решение</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>Решение программы</source>
        <translation>Program&apos;s solution</translation>
    </message>
    <message>
        <source>Не удалось создать файл %1: не найдена библиотека libxlsxwriter.</source>
        <translation>Could not create the file %1: the libxlsxwriter library was not found.</translation>
    </message>
</context>
<context>
    <name>Solution</name>
    <message>
        <source>Система ограничений несовместна: задача не имеет решения</source>
        <translation>The constraints are infeasible: the problem has no solution</translation>
    </message>
    <message>
        <source>Функция %1 не ограничена: задача не имеет решения</source>
        <translation>The function %1 is unbounded: the problem has no solution</translation>
    </message>
</context>
<context>
    <name>Table</name>
    <message>
        <source>Цены</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Базис</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Св.чл.</source>
        <translation>RHS</translation>
    </message>
    <message>
        <source>ИС</source>
        <translation>Ind</translation>
    </message>
    <message>
        <source>%1-я симплексная таблица (%2-%3)</source>
        <translation>Simplex table %1 (%2-%3)</translation>
    </message>
</context>
<context>
    <name>TutoringRun</name>
    <message>
        <source>Решение о следующей итерации принято неверно</source>
        <translation>The decision on the next iteration was wrong</translation>
    </message>
    <message>
        <source>Таблица %1 повторяет базис таблицы %2: при таком выборе решение пойдет по кругу и не закончится. Чтобы выйти из цикла, берите из подходящих ключевых столбцов столбец с наименьшим номером, а из равноценных ключевых элементов — тот, в строке которого базисное неизвестное имеет наименьший номер.</source>
        <translation>Table %1 repeats the basis of table %2: with such choices the method cycles and never ends. To leave the cycle, take the lowest-numbered of the eligible pivot columns, and of equally good pivot elements the one whose row&apos;s basic variable has the lowest number.</translation>
    </message>
    <message>
        <source>Оптимальная таблица %1 повторяет таблицу %2, поэтому строить следующую таблицу не нужно.</source>
        <translation>The optimal table %1 repeats table %2, so no next table needs to be built.</translation>
    </message>
    <message>
        <source>Разбор прерван: числа таблицы стали слишком большими</source>
        <translation>The run was stopped: the numbers of the table grew too large</translation>
    </message>
    <message>
        <source>Числа этой таблицы стали слишком большими для точного счета, поэтому разбор задачи прерван.
Это не ваша ошибка: попробуйте задачу с другими коэффициентами.</source>
        <translation>The numbers of this table grew too large for exact arithmetic, so the run has been stopped.
This is not your mistake: try the problem with other coefficients.</translation>
    </message>
    <message>
        <source>Вы хотите строить следующую таблицу?</source>
        <translation>Do you want to build the next table?</translation>
    </message>
    <message>
        <source>Вы приняли неверное решение, так как все итерации выполнены</source>
        <translation>Your decision is wrong: all iterations are done</translation>
    </message>
    <message>
        <source>Вы приняли неверное решение, так как не все итерации выполнены</source>
        <translation>Your decision is wrong: not all iterations are done</translation>
    </message>
    <message>
        <source>Теперь вам не составит труда выписать решение из таблицы</source>
        <translation>Now you can easily read the solution off the table</translation>
    </message>
    <message>
        <source>Задача успешно решена: %1</source>
        <translation>The problem is solved: %1</translation>
    </message>
    <message>
        <source>Верно: целевая функция не ограничена, задача не имеет решения</source>
        <translation>Right: the objective function is unbounded, the problem has no solution</translation>
    </message>
    <message>
        <source>Задача не имеет решения: функция не ограничена</source>
        <translation>The problem has no solution: the function is unbounded</translation>
    </message>
    <message>
        <source>Система ограничений несовместна</source>
        <translation>The constraints are infeasible</translation>
    </message>
    <message>
        <source>Задача не имеет решения: система ограничений несовместна</source>
        <translation>The problem has no solution: the constraints are infeasible</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>AgeDifferenceScale</name>
    <message>
        <source>Разница %1, за краем шкалы: %2</source>
        <translation>Difference %1, beyond the end of the scale: %2</translation>
    </message>
    <message>
        <source>Разница %1: %2</source>
        <translation>Difference %1: %2</translation>
    </message>
    <message>
        <source>Шкала разницы биологического и полного возраста от −30 до 30 лет. %1: от −30 до −3 включительно. %2: больше −3 и меньше 3. %3: от 3 и меньше 30.</source>
        <translation>Scale of the difference between biological and proper age, from −30 to 30 years. %1: from −30 to −3 inclusive. %2: more than −3 and less than 3. %3: from 3 to less than 30.</translation>
    </message>
    <message>
        <source>Биологический возраст минус полный, лет</source>
        <translation>Biological minus proper age, years</translation>
    </message>
</context>
<context>
    <name>AgingPace</name>
    <message>
        <source>Темп старения: %1 года за год (ожидается %2)</source>
        <translation>Pace of aging: %1 years per year (expected %2)</translation>
    </message>
    <message>
        <source>Темп старения будет виден с трёх записей за 90 дней и больше; сейчас %1.</source>
        <translation>The pace of aging will show from three records over 90 days or more; now %1.</translation>
    </message>
    <message>
        <source>записей нет</source>
        <translation>no records</translation>
    </message>
    <message>
        <source>Темп старения будет виден, когда между первой и последней записью пройдёт 90 дней; сейчас %1.</source>
        <translation>The pace of aging will show once 90 days have passed between the first and the latest record; now %1.</translation>
    </message>
    <message>
        <source>Записи с другим полом не учтены: %1.</source>
        <translation>Records with the other sex are not counted: %1.</translation>
    </message>
    <message numerus="yes">
        <source>записей</source>
        <comment>the word after a number of records</comment>
        <translation>
            <numerusform>record</numerusform>
            <numerusform>records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>дней</source>
        <comment>the word after a number of days</comment>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AssessmentBreakdown</name>
    <message>
        <source>%1 мм рт. ст.</source>
        <translation>%1 mmHg</translation>
    </message>
    <message>
        <source>%1 сек</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Постоянная</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Индекс здоровья</source>
        <translation>Health index</translation>
    </message>
    <message>
        <source>Верхнее давление</source>
        <translation>Systolic pressure</translation>
    </message>
    <message>
        <source>Задержка дыхания</source>
        <translation>Breath-holding</translation>
    </message>
    <message>
        <source>Стойка на одной ноге</source>
        <translation>Standing on one leg</translation>
    </message>
    <message>
        <source>Пульсовое давление</source>
        <translation>Pulse pressure</translation>
    </message>
    <message>
        <source>Масса тела</source>
        <translation>Body mass</translation>
    </message>
    <message>
        <source>%1 кг</source>
        <translation>%1 kg</translation>
    </message>
    <message>
        <source>На одну жалобу меньше</source>
        <translation>One complaint fewer</translation>
    </message>
    <message>
        <source>%1 мм рт. ст. верхнего давления</source>
        <translation>%1 mmHg systolic pressure</translation>
    </message>
    <message>
        <source>%1 сек задержки дыхания</source>
        <translation>%1 s of breath-holding</translation>
    </message>
    <message>
        <source>%1 мм рт. ст. пульсового давления</source>
        <translation>%1 mmHg pulse pressure</translation>
    </message>
    <message>
        <source>%1 кг массы тела</source>
        <translation>%1 kg of body mass</translation>
    </message>
    <message>
        <source>%1 сек на одной ноге</source>
        <translation>%1 s on one leg</translation>
    </message>
    <message>
        <source>; вывод: «%1»</source>
        <translation>; conclusion: “%1”</translation>
    </message>
    <message>
        <source>Нижнее давление (%1) не ниже верхнего (%2): проверьте введённое давление.</source>
        <translation>The diastolic pressure (%1) is not lower than the systolic (%2): please check the pressure you entered.</translation>
    </message>
</context>
<context>
    <name>AssessmentRecord</name>
    <message>
        <source>Меня беспокоит головная боль</source>
        <translation>I suffer from headaches</translation>
    </message>
    <message>
        <source>Я легко просыпаюсь от любого шума</source>
        <translation>I wake up easily at any noise</translation>
    </message>
    <message>
        <source>Меня беспокоит боль в сердце</source>
        <translation>I suffer from heart pain</translation>
    </message>
    <message>
        <source>У меня ухудшилось зрение</source>
        <translation>My eyesight has got worse</translation>
    </message>
    <message>
        <source>У меня ухудшился слух</source>
        <translation>My hearing has got worse</translation>
    </message>
    <message>
        <source>Я стараюсь пить только кипяченую воду</source>
        <translation>I try to drink only boiled water</translation>
    </message>
    <message>
        <source>Младшие мне уступают место в транспорте</source>
        <translation>Younger people offer me their seat on public transport</translation>
    </message>
    <message>
        <source>Меня беспокоит боль в суставах</source>
        <translation>I suffer from joint pain</translation>
    </message>
    <message>
        <source>Изменения погоды влияют на мое самочувствие</source>
        <translation>Changes in the weather affect how I feel</translation>
    </message>
    <message>
        <source>Бывают периоды, когда из-за волнения я теряю сон</source>
        <translation>At times I lose sleep because of worry</translation>
    </message>
    <message>
        <source>Меня беспокоет запор</source>
        <translation>I suffer from constipation</translation>
    </message>
    <message>
        <source>Меня беспокоит боль в печени</source>
        <translation>I suffer from pain in the liver</translation>
    </message>
    <message>
        <source>У меня бывают обмороки (потери сознания)</source>
        <translation>I have fainting spells (loss of consciousness)</translation>
    </message>
    <message>
        <source>Сейчас мне труднее сосредоточиваться, чем в прошлые годы</source>
        <translation>I find it harder to concentrate now than in past years</translation>
    </message>
    <message>
        <source>Меня беспокоит ослабление памяти, забывчивость</source>
        <translation>I am troubled by a weakening memory, forgetfulness</translation>
    </message>
    <message>
        <source>Я ощущаю в разных частях тела покалывание, мурашки</source>
        <translation>I feel tingling or pins and needles in various parts of my body</translation>
    </message>
    <message>
        <source>Меня беспокоит шум, звон в ушах</source>
        <translation>I am troubled by noise or ringing in my ears</translation>
    </message>
    <message>
        <source>Я держу в аптечке валидол / глицерин / сердечные капли</source>
        <translation>I keep validol / nitroglycerin / heart drops in my medicine cabinet</translation>
    </message>
    <message>
        <source>У меня отекают ноги</source>
        <translation>My legs swell</translation>
    </message>
    <message>
        <source>Мне пришлось отказаться от некоторых блюд</source>
        <translation>I have had to give up some foods</translation>
    </message>
    <message>
        <source>При быстрой ходьбе у меня возникает одышка</source>
        <translation>I get short of breath when I walk fast</translation>
    </message>
    <message>
        <source>Меня беспокоит боль в пояснице</source>
        <translation>I suffer from lower back pain</translation>
    </message>
    <message>
        <source>Мне приходится употреблять минеральную воду для лечения</source>
        <translation>I have to drink mineral water as a treatment</translation>
    </message>
    <message>
        <source>Я стал(а) плаксивым (плаксивой)</source>
        <translation>I have become tearful</translation>
    </message>
    <message>
        <source>Я бываю на пляже</source>
        <translation>I go to the beach</translation>
    </message>
    <message>
        <source>Я работоспособен (работоспособна), как и раньше</source>
        <translation>I can work as well as I used to</translation>
    </message>
    <message>
        <source>Бывают периоды, когда я чувствую себя радостно возбужденным, счастливым</source>
        <translation>At times I feel joyfully excited and happy</translation>
    </message>
    <message>
        <source>хорошее</source>
        <translation>good</translation>
    </message>
    <message>
        <source>удовлетворительное</source>
        <translation>fair</translation>
    </message>
    <message>
        <source>плохое</source>
        <translation>poor</translation>
    </message>
    <message>
        <source>очень плохое</source>
        <translation>very poor</translation>
    </message>
    <message>
        <source>Состояние своего здоровья оцениваю как</source>
        <translation>I rate my state of health as</translation>
    </message>
</context>
<context>
    <name>BreakdownPage</name>
    <message>
        <source>Из чего складывается биологический возраст</source>
        <translation>What makes up the biological age</translation>
    </message>
    <message>
        <source>Слагаемое</source>
        <translation>Term</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Годы</source>
        <translation>Years</translation>
    </message>
    <message>
        <source>Шаг → годы</source>
        <translation>Step → years</translation>
    </message>
    <message>
        <source>Вклад в биологический возраст</source>
        <translation>Contribution to the biological age</translation>
    </message>
    <message>
        <source>На сколько лет сдвинет результат один шаг этого показателя</source>
        <translation>How many years one step of this input moves the result</translation>
    </message>
    <message>
        <source>Биологический возраст</source>
        <translation>Biological age</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>Вывод станет: %1</source>
        <translation>The conclusion will become: %1</translation>
    </message>
    <message>
        <source> или </source>
        <translation> or </translation>
    </message>
    <message>
        <source>Полный биологический возраст: %1 = %2</source>
        <translation>Proper biological age: %1 = %2</translation>
    </message>
    <message>
        <source>Разница биологического и полного: %1</source>
        <translation>Difference between biological and proper: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Kalder Vitalon: биологический возраст по методу Войтенко. Без параметров открывается окно программы.</source>
        <translation>Kalder Vitalon: biological age by Voitenko&apos;s method. Without options the program&apos;s window opens.</translation>
    </message>
    <message>
        <source>Показать эту справку.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Показать версию программы.</source>
        <translation>Show the program&apos;s version.</translation>
    </message>
    <message>
        <source>Сохранить копию всех данных (профили и история) в файл.</source>
        <translation>Save a backup of all data (profiles and history) to a file.</translation>
    </message>
    <message>
        <source>файл</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Восстановить данные из копии: профили копии записываются поверх, её записи истории добавляются. Программа должна быть закрыта.</source>
        <translation>Restore data from a backup: the backup&apos;s profiles are written over the current ones and its history records are added. The program must be closed.</translation>
    </message>
    <message>
        <source>С --restore: заменить все данные копией.</source>
        <translation>With --restore: replace all data with the backup.</translation>
    </message>
    <message>
        <source>Неизвестный параметр «%1»; параметры программы: --help.</source>
        <translation>Unknown option “%1”; for the program&apos;s options see --help.</translation>
    </message>
    <message>
        <source>Неверная командная строка: %1</source>
        <translation>Invalid command line: %1</translation>
    </message>
    <message>
        <source>Лишний аргумент «%1»; параметры программы: --help.</source>
        <translation>Unexpected argument “%1”; for the program&apos;s options see --help.</translation>
    </message>
    <message>
        <source>--replace задаётся только вместе с --restore.</source>
        <translation>--replace can only be given together with --restore.</translation>
    </message>
    <message>
        <source>Kalder Vitalon открыта: закройте программу и повторите восстановление.</source>
        <translation>Kalder Vitalon is open: close the program and restore again.</translation>
    </message>
    <message>
        <source>Записать историю результатов в файл CSV (все профили или один, см. --profile).</source>
        <translation>Write the results history to a CSV file (every profile, or one: see --profile).</translation>
    </message>
    <message>
        <source>С --export-history: только история профиля с этим именем.</source>
        <translation>With --export-history: only the history of the profile with this name.</translation>
    </message>
    <message>
        <source>имя</source>
        <translation>name</translation>
    </message>
    <message>
        <source>--backup, --restore и --export-history нельзя задать вместе.</source>
        <translation>--backup, --restore and --export-history cannot be given together.</translation>
    </message>
    <message>
        <source>--profile задаётся только вместе с --export-history.</source>
        <translation>--profile is given only together with --export-history.</translation>
    </message>
    <message>
        <source>Файл задан больше одного раза.</source>
        <translation>The file is given more than once.</translation>
    </message>
    <message>
        <source>Не задано имя файла.</source>
        <translation>No file name is given.</translation>
    </message>
    <message>
        <source>Профиль задан больше одного раза.</source>
        <translation>The profile is given more than once.</translation>
    </message>
    <message>
        <source>История записана в %1</source>
        <translation>History written to %1</translation>
    </message>
</context>
<context>
    <name>CopyFile</name>
    <message>
        <source>Не удалось записать копию «%1»: %2</source>
        <translation>Could not write the backup “%1”: %2</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>нет свободного имени для временного файла</source>
        <translation>no free name for a temporary file</translation>
    </message>
    <message>
        <source>Файл «%1» не является копией данных Kalder Vitalon.</source>
        <translation>The file “%1” is not a Kalder Vitalon data backup.</translation>
    </message>
    <message>
        <source>Копия «%1» повреждена: проверка целостности не пройдена.</source>
        <translation>The backup “%1” is damaged: the integrity check failed.</translation>
    </message>
    <message>
        <source>Файл «%1» не найден.</source>
        <translation>The file “%1” was not found.</translation>
    </message>
    <message>
        <source>Файл «%1» не удалось открыть: %2.</source>
        <translation>Could not open the file “%1”: %2.</translation>
    </message>
    <message>
        <source>Копия «%1» сделана более новой версией программы (формат %2); эта версия читает только формат %3.</source>
        <translation>The backup “%1” was made by a newer version of the program (format %2); this version reads only format %3.</translation>
    </message>
    <message>
        <source>Файл «%1» не удалось прочитать: %2.</source>
        <translation>Could not read the file “%1”: %2.</translation>
    </message>
    <message>
        <source>список профилей</source>
        <translation>the list of profiles</translation>
    </message>
    <message>
        <source>значения профиля «%1»</source>
        <translation>the values of the profile “%1”</translation>
    </message>
    <message>
        <source>запись истории номер %1</source>
        <translation>history record number %1</translation>
    </message>
    <message>
        <source>Копия «%1» содержит недопустимые данные (%2); ничего не изменено.</source>
        <translation>The backup “%1” holds invalid data (%2); nothing was changed.</translation>
    </message>
</context>
<context>
    <name>DataCopy</name>
    <message>
        <source>список профилей: номер «%1»</source>
        <translation>the list of profiles: number “%1”</translation>
    </message>
    <message>
        <source>список профилей: ключ «%1»</source>
        <translation>the list of profiles: key “%1”</translation>
    </message>
    <message>
        <source>список профилей: имя под ключом %1</source>
        <translation>the list of profiles: the name under key %1</translation>
    </message>
    <message>
        <source>профиль «%1» не значится в списке</source>
        <translation>the profile “%1” is not in the list</translation>
    </message>
    <message>
        <source>профиль «%1», ключ «%2»</source>
        <translation>the profile “%1”, key “%2”</translation>
    </message>
    <message>
        <source>в списке профилей есть профиль без данных</source>
        <translation>the list of profiles names a profile without data</translation>
    </message>
    <message>
        <source>запись истории от %1</source>
        <translation>the history record of %1</translation>
    </message>
</context>
<context>
    <name>DataMenu</name>
    <message>
        <source>Сохранить копию данных…</source>
        <translation>Save a data backup…</translation>
    </message>
    <message>
        <source>Восстановить из копии…</source>
        <translation>Restore from a backup…</translation>
    </message>
    <message>
        <source>Заменить все данные копией</source>
        <translation>Replace all data with a backup</translation>
    </message>
    <message>
        <source>Копия данных: сохранить или восстановить профили и историю</source>
        <translation>Data backup: save or restore the profiles and the history</translation>
    </message>
    <message>
        <source>Копия данных</source>
        <translation>Data backup</translation>
    </message>
    <message>
        <source>Все профили и вся история будут заменены данными копии «%1». Продолжить?</source>
        <translation>All profiles and the whole history will be replaced with the data of the backup “%1”. Continue?</translation>
    </message>
    <message>
        <source>Сохранить копию данных</source>
        <translation>Save a data backup</translation>
    </message>
    <message>
        <source>Восстановить из копии</source>
        <translation>Restore from a backup</translation>
    </message>
    <message>
        <source>Копия данных Kalder Vitalon (*.%1)</source>
        <translation>Kalder Vitalon data backup (*.%1)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>DataTransfer</name>
    <message>
        <source>Копия не сохранена: %1.</source>
        <translation>The backup was not saved: %1.</translation>
    </message>
    <message>
        <source>Копия данных сохранена в «%1»: профилей — %2, записей истории — %3.</source>
        <translation>The data backup was saved to “%1”: profiles: %2, history records: %3.</translation>
    </message>
    <message>
        <source>Восстановление не выполнено: %1. Ничего не изменено.</source>
        <translation>The restore was not carried out: %1. Nothing was changed.</translation>
    </message>
    <message>
        <source>Не удалось сохранить данные перед восстановлением: %1. Ничего не изменено.</source>
        <translation>Could not save the data before restoring: %1. Nothing was changed.</translation>
    </message>
    <message>
        <source>Восстановление не выполнено: профили не удалось записать. Ничего не изменено; данные до восстановления сохранены в «%1».</source>
        <translation>The restore was not carried out: the profiles could not be written. Nothing was changed; the data as it was before the restore is saved in “%1”.</translation>
    </message>
    <message>
        <source>Восстановление прервано: профили не удалось записать. Данные до восстановления сохранены в «%1»: восстановите эту копию с заменой всех данных.</source>
        <translation>The restore was interrupted: the profiles could not be written. The data as it was before the restore is saved in “%1”: restore that backup, replacing all data.</translation>
    </message>
    <message>
        <source>Данные до восстановления сохранены в «%1»; чтобы вернуть их, восстановите эту копию с заменой всех данных.</source>
        <translation>The data as it was before the restore is saved in “%1”; to get it back, restore that backup, replacing all data.</translation>
    </message>
    <message>
        <source>Данные восстановлены из копии «%1»: профилей — %2, добавлено записей истории — %3.</source>
        <translation>The data was restored from the backup “%1”: profiles: %2, history records added: %3.</translation>
    </message>
    <message>
        <source>Все данные заменены копией «%1»: профилей — %2, записей истории — %3.</source>
        <translation>All data was replaced with the backup “%1”: profiles: %2, history records: %3.</translation>
    </message>
    <message>
        <source>папка данных неизвестна</source>
        <translation>the data folder is unknown</translation>
    </message>
    <message>
        <source>папку «%1» не удалось создать</source>
        <translation>could not create the folder “%1”</translation>
    </message>
    <message>
        <source>нет свободного имени для копии</source>
        <translation>no free name for the backup</translation>
    </message>
    <message>
        <source>история записана более новой версией программы</source>
        <translation>the history was written by a newer version of the program</translation>
    </message>
    <message>
        <source>история недоступна (%1)</source>
        <translation>the history is not available (%1)</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>%1 сек</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Kalder Vitalon - Расчет биологического возраста </source>
        <translation>Kalder Vitalon - Biological Age Calculation </translation>
    </message>
    <message>
        <source>Биологические данные</source>
        <translation>Biological data</translation>
    </message>
    <message>
        <source>Пол:</source>
        <translation>Sex:</translation>
    </message>
    <message>
        <source>Мужской</source>
        <translation>Male</translation>
    </message>
    <message>
        <source>Женский</source>
        <translation>Female</translation>
    </message>
    <message>
        <source>Возраст:</source>
        <translation>Age:</translation>
    </message>
    <message>
        <source>Возраст</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>Масса тела:</source>
        <translation>Body mass:</translation>
    </message>
    <message>
        <source>Масса тела</source>
        <translation>Body mass</translation>
    </message>
    <message>
        <source>%1 кг</source>
        <translation>%1 kg</translation>
    </message>
    <message>
        <source>Измерьте следующие показатели</source>
        <translation>Measure the following</translation>
    </message>
    <message>
        <source>1. Артериальное давление:</source>
        <translation>1. Blood pressure:</translation>
    </message>
    <message>
        <source>Артериальное давление, верхнее</source>
        <translation>Blood pressure, systolic</translation>
    </message>
    <message>
        <source>Артериальное давление, нижнее</source>
        <translation>Blood pressure, diastolic</translation>
    </message>
    <message>
        <source>2. На сколько Вы можете задержать дыхание после полного вдоха:</source>
        <translation>2. How long can you hold your breath after breathing in fully:</translation>
    </message>
    <message>
        <source>Задержка дыхания после полного вдоха</source>
        <translation>Breath-holding after breathing in fully</translation>
    </message>
    <message>
        <source>Замерить секундомером задержку дыхания</source>
        <translation>Time the breath-holding with the stopwatch</translation>
    </message>
    <message>
        <source>3. Станьте на ОДНУ ЛЕВУЮ ногу, опустите руки по швам и закройте глаза.</source>
        <translation>3. Stand on your LEFT leg ONLY, with your arms at your sides, and close your eyes.</translation>
    </message>
    <message>
        <source>Сколько Вы так простояли не пошатнувшись?</source>
        <translation>How long did you stand like this without swaying?</translation>
    </message>
    <message>
        <source>Время на одной ноге с закрытыми глазами</source>
        <translation>Time on one leg with eyes closed</translation>
    </message>
    <message>
        <source>Замерить секундомером время на одной ноге</source>
        <translation>Time the stand on one leg with the stopwatch</translation>
    </message>
    <message>
        <source>Секундомер</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <source>Рассчитать</source>
        <translation>Calculate</translation>
    </message>
</context>
<context>
    <name>FormAbout</name>
    <message>
        <source>О программе &quot;Kalder Vitalon&quot;</source>
        <translation>About &quot;Kalder Vitalon&quot;</translation>
    </message>
    <message>
        <source>Версия:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Автор:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Определение биологического возраста производится по методу Войтенко.</source>
        <translation>Biological age is determined by Voitenko&apos;s method.</translation>
    </message>
    <message>
        <source>Cайт:</source>
        <translation>Website:</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>Биологический возраст</source>
        <translation>Biological age</translation>
    </message>
    <message>
        <source>Полный биологический возраст</source>
        <translation>Proper biological age</translation>
    </message>
    <message>
        <source>Календарный возраст</source>
        <translation>Calendar age</translation>
    </message>
    <message>
        <source>Записей нет</source>
        <translation>No records</translation>
    </message>
    <message>
        <source>%1 от %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>%1 за %2</source>
        <translation>%1 on %2</translation>
    </message>
    <message>
        <source>%1 с %2 по %3</source>
        <translation>%1 from %2 to %3</translation>
    </message>
    <message>
        <source>биологический возраст %1, полный %2, календарный %3</source>
        <translation>biological age %1, proper %2, calendar %3</translation>
    </message>
    <message>
        <source>от %1 до %2</source>
        <translation>from %1 to %2</translation>
    </message>
    <message>
        <source>%1; биологический возраст %2; в последней записи %3</source>
        <translation>%1; biological age %2; in the latest record %3</translation>
    </message>
    <message numerus="yes">
        <source>записей</source>
        <comment>the word after a number of records</comment>
        <translation>
            <numerusform>record</numerusform>
            <numerusform>records</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryChartWidget</name>
    <message>
        <source>График биологического, полного и календарного возраста по датам записей</source>
        <translation>Chart of the biological, proper and calendar age by the dates of the records</translation>
    </message>
</context>
<context>
    <name>HistoryCsv</name>
    <message>
        <source>Профиль</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Дата и время</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Пол</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>Календарный возраст, лет</source>
        <translation>Calendar age, years</translation>
    </message>
    <message>
        <source>Масса тела, кг</source>
        <translation>Body mass, kg</translation>
    </message>
    <message>
        <source>Систолическое давление, мм рт. ст.</source>
        <translation>Systolic pressure, mmHg</translation>
    </message>
    <message>
        <source>Диастолическое давление, мм рт. ст.</source>
        <translation>Diastolic pressure, mmHg</translation>
    </message>
    <message>
        <source>Задержка дыхания, с</source>
        <translation>Breath-hold, s</translation>
    </message>
    <message>
        <source>Статическая балансировка, с</source>
        <translation>Static balance, s</translation>
    </message>
    <message>
        <source>Состояние своего здоровья</source>
        <translation>Self-rated health</translation>
    </message>
    <message>
        <source>Индекс здоровья</source>
        <translation>Health index</translation>
    </message>
    <message>
        <source>Биологический возраст, лет</source>
        <translation>Biological age, years</translation>
    </message>
    <message>
        <source>Полный биологический возраст, лет</source>
        <translation>Proper biological age, years</translation>
    </message>
    <message>
        <source>Разница, лет</source>
        <translation>Difference, years</translation>
    </message>
    <message>
        <source>Вывод</source>
        <translation>Conclusion</translation>
    </message>
    <message>
        <source>мужской</source>
        <translation>male</translation>
    </message>
    <message>
        <source>женский</source>
        <translation>female</translation>
    </message>
    <message>
        <source>Файл «%1» не удалось записать: %2.</source>
        <translation>Could not write the file “%1”: %2.</translation>
    </message>
    <message>
        <source>История недоступна: %1.</source>
        <translation>The history is not available: %1.</translation>
    </message>
</context>
<context>
    <name>HistoryMessages</name>
    <message>
        <source>История записана более новой версией программы. Эта версия не может её ни показать, ни дополнить.</source>
        <translation>The history was written by a newer version of the program. This version can neither show it nor add to it.</translation>
    </message>
    <message>
        <source>Результат не записан в историю.</source>
        <translation>The result was not saved to the history.</translation>
    </message>
    <message>
        <source>Результат не записан в историю: папка «%1» недоступна для записи (нет прав или места на диске).</source>
        <translation>The result was not saved to the history: the folder “%1” cannot be written to (no permission or no space on the disk).</translation>
    </message>
    <message>
        <source>Историю не удалось прочитать.</source>
        <translation>The history could not be read.</translation>
    </message>
    <message>
        <source>Историю не удалось прочитать из папки «%1».</source>
        <translation>The history could not be read from the folder “%1”.</translation>
    </message>
    <message>
        <source>Запись не удалена из истории.</source>
        <translation>The record was not deleted from the history.</translation>
    </message>
    <message>
        <source>Запись не удалена из истории: папка «%1» недоступна для записи.</source>
        <translation>The record was not deleted from the history: the folder “%1” cannot be written to.</translation>
    </message>
    <message>
        <source>Файл истории повреждён или не читается. Он сохранён под именем «%1», история начата заново.</source>
        <translation>The history file is damaged or cannot be read. It has been kept under the name “%1” and a new history has been started.</translation>
    </message>
</context>
<context>
    <name>HistoryPage</name>
    <message>
        <source>Записи истории</source>
        <translation>History records</translation>
    </message>
    <message>
        <source>Дата и время</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>Биологический</source>
        <translation>Biological</translation>
    </message>
    <message>
        <source>Полный</source>
        <translation>Proper</translation>
    </message>
    <message>
        <source>Календарный</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Вывод</source>
        <translation>Conclusion</translation>
    </message>
    <message>
        <source>Биологический возраст, лет</source>
        <translation>Biological age, years</translation>
    </message>
    <message>
        <source>Полный биологический возраст, лет</source>
        <translation>Proper biological age, years</translation>
    </message>
    <message>
        <source>Календарный возраст, лет</source>
        <translation>Calendar age, years</translation>
    </message>
    <message>
        <source>Удалить запись</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Экспорт в CSV…</source>
        <translation>Export to CSV…</translation>
    </message>
    <message>
        <source>Записать историю профиля в файл CSV для электронной таблицы</source>
        <translation>Write the profile&apos;s history to a CSV file for a spreadsheet</translation>
    </message>
    <message>
        <source>Профиль: %1</source>
        <translation>Profile: %1</translation>
    </message>
    <message>
        <source>Удалить запись от %1 (биологический возраст %2) из истории?</source>
        <translation>Delete the record of %1 (biological age %2) from the history?</translation>
    </message>
    <message>
        <source>История недоступна.</source>
        <translation>The history is unavailable.</translation>
    </message>
    <message>
        <source>Записей пока нет: результат попадает сюда по кнопке «Записать в историю».</source>
        <translation>No records yet: a result is added here when you press “Save to history”.</translation>
    </message>
</context>
<context>
    <name>InputRow</name>
    <message>
        <source>Замерить секундомером</source>
        <translation>Time it with the stopwatch</translation>
    </message>
</context>
<context>
    <name>MainBanner</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <source>Не задано имя профиля!</source>
        <translation>No profile name given!</translation>
    </message>
    <message>
        <source>Имя профиля не может содержать символы / и \.</source>
        <translation>A profile name cannot contain the characters / and \.</translation>
    </message>
    <message>
        <source>Профиль &apos;%1&apos; уже существует. Перезаписать его?</source>
        <translation>Profile &apos;%1&apos; already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Не удалось сохранить профиль &apos;%1&apos;. Сохраненные профили не изменены.</source>
        <translation>Could not save profile &apos;%1&apos;. The saved profiles are unchanged.</translation>
    </message>
    <message>
        <source>Профиль &apos;%1&apos; сохранен.</source>
        <translation>Profile &apos;%1&apos; saved.</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить профиль &apos;%1&apos;?</source>
        <translation>Do you really want to delete profile &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>Не удалось удалить профиль &apos;%1&apos;.</source>
        <translation>Could not delete profile &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>ProfileToolbar</name>
    <message>
        <source>Профили:</source>
        <translation>Profiles:</translation>
    </message>
    <message>
        <source>Имя профиля</source>
        <translation>Profile name</translation>
    </message>
    <message>
        <source>Профиль</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Сохранить профиль</source>
        <translation>Save profile</translation>
    </message>
    <message>
        <source>Удалить профиль</source>
        <translation>Delete profile</translation>
    </message>
</context>
<context>
    <name>ReportFileName</name>
    <message>
        <source>без имени</source>
        <translation>unnamed</translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <source>не выбрано</source>
        <translation>not selected</translation>
    </message>
    <message>
        <source>%1 (не учитывается)</source>
        <translation>%1 (not counted)</translation>
    </message>
    <message>
        <source>Пол:</source>
        <translation>Sex:</translation>
    </message>
    <message>
        <source>мужской</source>
        <translation>male</translation>
    </message>
    <message>
        <source>женский</source>
        <translation>female</translation>
    </message>
    <message>
        <source>Календарный возраст:</source>
        <translation>Calendar age:</translation>
    </message>
    <message>
        <source>Масса тела:</source>
        <translation>Body mass:</translation>
    </message>
    <message>
        <source>%1 кг</source>
        <translation>%1 kg</translation>
    </message>
    <message>
        <source>Артериальное давление:</source>
        <translation>Blood pressure:</translation>
    </message>
    <message>
        <source>%1 / %2 мм рт. ст.</source>
        <translation>%1 / %2 mmHg</translation>
    </message>
    <message>
        <source>Задержка дыхания после полного вдоха:</source>
        <translation>Breath-holding after breathing in fully:</translation>
    </message>
    <message>
        <source>%1 сек</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Время на одной ноге с закрытыми глазами:</source>
        <translation>Time on one leg with eyes closed:</translation>
    </message>
    <message>
        <source>Ваш календарный возраст:</source>
        <translation>Your calendar age:</translation>
    </message>
    <message>
        <source>Ваш полный биологический возраст:</source>
        <translation>Your proper biological age:</translation>
    </message>
    <message>
        <source>Ваш биологический возраст:</source>
        <translation>Your biological age:</translation>
    </message>
    <message>
        <source>Разница биологического и полного:</source>
        <translation>Difference between biological and proper:</translation>
    </message>
    <message>
        <source>Индекс здоровья:</source>
        <translation>Health index:</translation>
    </message>
    <message>
        <source>%1 (отмечено серым)</source>
        <translation>%1 (marked grey)</translation>
    </message>
    <message>
        <source>Профиль: %1</source>
        <translation>Profile: %1</translation>
    </message>
    <message>
        <source>Дата расчёта: %1</source>
        <translation>Date of calculation: %1</translation>
    </message>
    <message>
        <source>Исходные данные</source>
        <translation>Input data</translation>
    </message>
    <message>
        <source>Отмеченные утверждения</source>
        <translation>Marked statements</translation>
    </message>
    <message>
        <source>Ни одно утверждение не отмечено.</source>
        <translation>No statement is marked.</translation>
    </message>
    <message>
        <source>Отмеченные утверждения (%1)</source>
        <translation>Marked statements (%1)</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Вывод: %1</source>
        <translation>Conclusion: %1</translation>
    </message>
    <message>
        <source>История: %1</source>
        <translation>History: %1</translation>
    </message>
    <message>
        <source>Биологический возраст по методу Войтенко</source>
        <translation>Biological age by Voitenko&apos;s method</translation>
    </message>
</context>
<context>
    <name>ResultForm</name>
    <message>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Ваш результат</source>
        <translation>Your result</translation>
    </message>
    <message>
        <source>Ваш календарный возраст:</source>
        <translation>Your calendar age:</translation>
    </message>
    <message>
        <source>20 лет</source>
        <translation>20 years</translation>
    </message>
    <message>
        <source>Ваш полный биологический возраст:</source>
        <translation>Your proper biological age:</translation>
    </message>
    <message>
        <source>26 лет</source>
        <translation>26 years</translation>
    </message>
    <message>
        <source>На сколько Вы должны себя чувствовать (среднестатистически)</source>
        <translation>How old you should feel (the statistical average)</translation>
    </message>
    <message>
        <source>Ваш биологический возраст:</source>
        <translation>Your biological age:</translation>
    </message>
    <message>
        <source>30 лет</source>
        <translation>30 years</translation>
    </message>
    <message>
        <source>Степень соответсвия Вашего морфологического статуса (на сколько Вы себя чувствуете)</source>
        <translation>How your physical condition compares (how old you feel)</translation>
    </message>
    <message>
        <source>Вывод:</source>
        <translation>Conclusion:</translation>
    </message>
    <message>
        <source>Вывод</source>
        <translation>Conclusion</translation>
    </message>
    <message>
        <source>Разбор</source>
        <translation>Breakdown</translation>
    </message>
    <message>
        <source>История</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Сохранить отчёт…</source>
        <translation>Save report…</translation>
    </message>
    <message>
        <source>Печать…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>без имени</source>
        <translation>unnamed</translation>
    </message>
    <message>
        <source>Сохранить отчёт</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Экспорт истории в CSV</source>
        <translation>Export the history to CSV</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>История не выгружена. %1</source>
        <translation>The history was not exported. %1</translation>
    </message>
    <message>
        <source>Отчёт не сохранён: файл «%1» не удалось записать (нет прав или места на диске).</source>
        <translation>Report not saved: the file “%1” could not be written (no permission or no space on the disk).</translation>
    </message>
    <message>
        <source>Печать отчёта</source>
        <translation>Print report</translation>
    </message>
    <message>
        <source>Отчёт не напечатан: принтер недоступен.</source>
        <translation>Report not printed: the printer is unavailable.</translation>
    </message>
    <message>
        <source>Записать в историю</source>
        <translation>Save to history</translation>
    </message>
    <message>
        <source>Записано</source>
        <translation>Saved</translation>
    </message>
</context>
<context>
    <name>Secundomer</name>
    <message>
        <source>Секундомер</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <source>Пуск</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Обнулить</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>StatementsList</name>
    <message>
        <source>Отметьте верные утверждения</source>
        <translation>Mark the statements that are true</translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>Нет описания.</source>
        <translation>No description.</translation>
    </message>
    <message>
        <source>Вы уверены, что правильно ввели данные?</source>
        <translation>Are you sure you entered the data correctly?</translation>
    </message>
    <message>
        <source>Замедленное старение.</source>
        <translation>Slowed aging.</translation>
    </message>
    <message>
        <source>Физически Вы чувствуете себя гораздо моложе ровесников. Это очень хорошо, т.к. является признаком неплохого здоровья.</source>
        <translation>Physically you feel much younger than people of your age. This is very good, as it is a sign of fairly good health.</translation>
    </message>
    <message>
        <source>Соответствие биологического возраста календарному.</source>
        <translation>Biological age matches calendar age.</translation>
    </message>
    <message>
        <source>Физически Вы чувствуете себя ровно на столько сколько Вам и есть на самом деле. У Вас нормальное (среднестатистическое) для Вашего возраста здоровье.</source>
        <translation>Physically you feel exactly as old as you really are. Your health is normal (average) for your age.</translation>
    </message>
    <message>
        <source>Ускоренное старение.</source>
        <translation>Accelerated aging.</translation>
    </message>
    <message>
        <source>Физически Вы чувствуете себя гораздо старше, чем есть на самом деле. Уделите внимание своему здоровью, ему еще рано подводить Вас столь заметно.</source>
        <translation>Physically you feel much older than you really are. Pay attention to your health: it is too early for it to let you down so noticeably.</translation>
    </message>
</context>
<context>
    <name>YearsString</name>
    <message numerus="yes">
        <source>лет</source>
        <comment>the word after a number of years</comment>
        <translation>
            <numerusform>year</numerusform>
            <numerusform>years</numerusform>
        </translation>
    </message>
</context>
</TS>

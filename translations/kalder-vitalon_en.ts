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
    <name>ReportFileName</name>
    <message>
        <source>без имени</source>
        <translation>unnamed</translation>
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

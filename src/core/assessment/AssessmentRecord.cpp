#include "core/assessment/AssessmentRecord.h"

const QStringList& AssessmentRecord::statementTexts()
{
    static const QStringList texts = {
        QStringLiteral("Меня беспокоит головная боль"),
        QStringLiteral("Я легко просыпаюсь от любого шума"),
        QStringLiteral("Меня беспокоит боль в сердце"),
        QStringLiteral("У меня ухудшилось зрение"),
        QStringLiteral("У меня ухудшился слух"),
        QStringLiteral("Я стараюсь пить только кипяченую воду"),
        QStringLiteral("Младшие мне уступают место в транспорте"),
        QStringLiteral("Меня беспокоит боль в суставах"),
        QStringLiteral("Изменения погоды влияют на мое самочувствие"),
        QStringLiteral("Бывают периоды, когда из-за волнения я теряю сон"),
        QStringLiteral("Меня беспокоет запор"),
        QStringLiteral("Меня беспокоит боль в печени"),
        QStringLiteral("У меня бывают обмороки (потери сознания)"),
        QStringLiteral("Сейчас мне труднее сосредоточиваться, чем в прошлые годы"),
        QStringLiteral("Меня беспокоит ослабление памяти, забывчивость"),
        QStringLiteral("Я ощущаю в разных частях тела покалывание, мурашки"),
        QStringLiteral("Меня беспокоит шум, звон в ушах"),
        QStringLiteral("Я держу в аптечке валидол / глицерин / сердечные капли"),
        QStringLiteral("У меня отекают ноги"),
        QStringLiteral("Мне пришлось отказаться от некоторых блюд"),
        QStringLiteral("При быстрой ходьбе у меня возникает одышка"),
        QStringLiteral("Меня беспокоит боль в пояснице"),
        QStringLiteral("Мне приходится употреблять минеральную воду для лечения"),
        QStringLiteral("Я стал(а) плаксивым (плаксивой)"),
        QStringLiteral("Я бываю на пляже"),
        QStringLiteral("Я работоспособен (работоспособна), как и раньше"),
        QStringLiteral("Бывают периоды, когда я чувствую себя радостно возбужденным, счастливым"),
    };
    return texts;
}

const QStringList& AssessmentRecord::ratingTexts()
{
    static const QStringList texts = {
        QStringLiteral("хорошее"),
        QStringLiteral("удовлетворительное"),
        QStringLiteral("плохое"),
        QStringLiteral("очень плохое"),
    };
    return texts;
}

QString AssessmentRecord::ratingCaption()
{
    return QStringLiteral("Состояние своего здоровья оцениваю как");
}

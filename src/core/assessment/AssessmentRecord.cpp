#include "core/assessment/AssessmentRecord.h"

#include <QCoreApplication>

#include <iterator>

namespace {

template <size_t N> QStringList translated(const char* const (&texts)[N])
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(N));
    for (const char* text : texts)
        list.append(QCoreApplication::translate("AssessmentRecord", text));
    return list;
}

} // namespace

QStringList AssessmentRecord::statementTexts()
{
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит головная боль"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я легко просыпаюсь от любого шума"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит боль в сердце"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "У меня ухудшилось зрение"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "У меня ухудшился слух"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я стараюсь пить только кипяченую воду"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Младшие мне уступают место в транспорте"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит боль в суставах"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Изменения погоды влияют на мое самочувствие"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Бывают периоды, когда из-за волнения я теряю сон"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоет запор"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит боль в печени"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "У меня бывают обмороки (потери сознания)"),
        QT_TRANSLATE_NOOP("AssessmentRecord",
                          "Сейчас мне труднее сосредоточиваться, чем в прошлые годы"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит ослабление памяти, забывчивость"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я ощущаю в разных частях тела покалывание, мурашки"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит шум, звон в ушах"),
        QT_TRANSLATE_NOOP("AssessmentRecord",
                          "Я держу в аптечке валидол / глицерин / сердечные капли"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "У меня отекают ноги"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Мне пришлось отказаться от некоторых блюд"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "При быстрой ходьбе у меня возникает одышка"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Меня беспокоит боль в пояснице"),
        QT_TRANSLATE_NOOP("AssessmentRecord",
                          "Мне приходится употреблять минеральную воду для лечения"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я стал(а) плаксивым (плаксивой)"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я бываю на пляже"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "Я работоспособен (работоспособна), как и раньше"),
        QT_TRANSLATE_NOOP(
            "AssessmentRecord",
            "Бывают периоды, когда я чувствую себя радостно возбужденным, счастливым"),
    };
    static_assert(std::size(texts) == AssessmentRecord::StatementCount);
    return translated(texts);
}

QStringList AssessmentRecord::ratingTexts()
{
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("AssessmentRecord", "хорошее"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "удовлетворительное"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "плохое"),
        QT_TRANSLATE_NOOP("AssessmentRecord", "очень плохое"),
    };
    return translated(texts);
}

QString AssessmentRecord::ratingCaption()
{
    return QCoreApplication::translate("AssessmentRecord",
                                       "Состояние своего здоровья оцениваю как");
}

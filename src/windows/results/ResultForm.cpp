#include "windows/results/ResultForm.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/AgeString.h"
#include "core/history/HistoryCsv.h"
#include "core/history/HistoryStore.h"
#include "core/report/ReportFileName.h"
#include "widgets/charts/AgeDifferenceScaleWidget.h"
#include "widgets/charts/HistoryChartWidget.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/MessageBoxes.h"
#include "widgets/support/Twips.h"
#include "windows/results/BreakdownPage.h"
#include "windows/results/HistoryMessages.h"
#include "windows/results/HistoryPage.h"
#include "windows/results/ReportPage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int CaptionLeft = 165;
constexpr int ValueLeft = 4575;
constexpr int RowWidth = 4965;
// Holds the widest age the inputs' ranges can give ("-92 года", "125 лет", "102 года").
constexpr int ValueWidth = 1200;

constexpr int TabLeft = 120;
constexpr int TabTop = 120;
constexpr int TabWidth = 8700;
constexpr int TabHeight = 5790;
constexpr int ButtonTop = TabTop + TabHeight + 120;
constexpr int ButtonHeight = 360;
constexpr int ButtonGap = 120;

QLabel* addLabel(QWidget* page, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, page);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* addValue(QWidget* page, const QString& name, const QString& text, int top)
{
    QLabel* value = addLabel(page, name, text, Twips::rect(ValueLeft, top, ValueWidth, 255));
    value->setFont(AppFonts::tahoma(8.25, true));
    return value;
}

// The quieter line under a row that says what the number means.
QLabel* addNote(QWidget* page, const QString& text, int top, int height)
{
    QLabel* note = addLabel(page, QString(), text, Twips::rect(CaptionLeft, top, RowWidth, height));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setForegroundRole(QPalette::PlaceholderText);
    return note;
}

void addSeparator(QWidget* page, const QString& name, int top, int width)
{
    auto* line = new Panel3d(page);
    line->setObjectName(name);
    line->setGeometry(Twips::rect(CaptionLeft, top, width, 30));
}

QPushButton* addButton(QWidget* window, const QString& name, const QString& text, int left,
                       int width)
{
    auto* button = new FlatButton(text, window);
    button->setObjectName(name);
    button->setGeometry(Twips::rect(left, ButtonTop, width, ButtonHeight));
    MakeFlat(button);
    return button;
}

// Where the save dialog opens: the folder of the last report saved in this session, else the
// user's documents, else home.
QString& reportFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    if (!reportFolder().isEmpty() && QDir(reportFolder()).exists())
        return reportFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

ResultForm::ResultForm(QWidget* parent)
    : QDialog(parent), m_calculatedAt(QDateTime::currentDateTime())
{
    setObjectName(QStringLiteral("ResultForm"));
    setWindowTitle(tr("Результаты"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(AppFonts::tahoma());
    setFixedSize(Twips::size(TabLeft + TabWidth + TabLeft, ButtonTop + ButtonHeight + 120));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->setGeometry(Twips::rect(TabLeft, TabTop, TabWidth, TabHeight));
    auto* page = new QWidget;
    m_tabs->addTab(page, tr("Ваш результат"));

    addLabel(page, QStringLiteral("Label1"), tr("Ваш календарный возраст:"),
             Twips::rect(CaptionLeft, 150, ValueLeft - CaptionLeft, 255));
    m_calendarAgeLabel = addValue(page, QStringLiteral("Label2"), tr("20 лет"), 150);
    addSeparator(page, QStringLiteral("Panel3d1"), 510, RowWidth);

    addLabel(page, QStringLiteral("Label4"), tr("Ваш полный биологический возраст:"),
             Twips::rect(CaptionLeft, 630, ValueLeft - CaptionLeft, 255));
    m_properAgeLabel = addValue(page, QStringLiteral("Label6"), tr("26 лет"), 630);
    addNote(page, tr("На сколько Вы должны себя чувствовать (среднестатистически)"), 885, 255);
    addSeparator(page, QStringLiteral("Panel3d2"), 1260, RowWidth);

    addLabel(page, QStringLiteral("Label5"), tr("Ваш биологический возраст:"),
             Twips::rect(CaptionLeft, 1380, ValueLeft - CaptionLeft, 255));
    m_biologicalAgeLabel = addValue(page, QStringLiteral("Label3"), tr("30 лет"), 1380);
    addNote(page,
            tr("Степень соответсвия Вашего морфологического статуса (на сколько Вы "
               "себя чувствуете)"),
            1635, 420);
    addSeparator(page, QStringLiteral("Panel3d3"), 2160, 4950);

    addLabel(page, QStringLiteral("Label7"), tr("Вывод:"),
             Twips::rect(CaptionLeft, 2280, RowWidth, 255));
    m_verdictText = new QPlainTextEdit(page);
    m_verdictText->setObjectName(QStringLiteral("Text1"));
    m_verdictText->setReadOnly(true);
    m_verdictText->setGeometry(Twips::rect(CaptionLeft, 2565, RowWidth, 1575));
    m_verdictText->setAccessibleName(tr("Вывод"));
    // Read only, so Tab has nothing to type: it moves on.
    m_verdictText->setTabChangesFocus(true);

    m_breakdown = new BreakdownPage;
    m_tabs->addTab(m_breakdown, tr("Разбор"));
    m_historyPage = new HistoryPage;
    m_tabs->addTab(m_historyPage, tr("История"));
    connect(m_historyPage, &HistoryPage::entryRemoved, this, &ResultForm::entryRemoved);
    connect(m_historyPage, &HistoryPage::exportRequested, this, &ResultForm::exportCsv);

    // The window's commands: the three new ones from the left, "Закрыть" where it always was,
    // at the right.
    const int closeLeft = TabLeft + TabWidth - 1755;
    m_recordButton =
        addButton(this, QStringLiteral("RecordButton"), recordCaption(), TabLeft, 2100);
    m_saveButton = addButton(this, QStringLiteral("SaveReportButton"), tr("Сохранить отчёт…"),
                             TabLeft + 2100 + ButtonGap, 2100);
    m_printButton = addButton(this, QStringLiteral("PrintButton"), tr("Печать…"),
                              TabLeft + 2 * (2100 + ButtonGap), 1455);
    m_recordButton->setEnabled(false);
    connect(m_recordButton, &QPushButton::clicked, this, &ResultForm::recordResult);
    connect(m_saveButton, &QPushButton::clicked, this, &ResultForm::saveReport);
    connect(m_printButton, &QPushButton::clicked, this, &ResultForm::printReport);

    m_closeButton = new FlatButton(tr("Закрыть"), this);
    m_closeButton->setObjectName(QStringLiteral("Command1"));
    m_closeButton->setGeometry(Twips::rect(closeLeft, ButtonTop, 1755, ButtonHeight));
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    MakeFlat(m_closeButton);

    // Tab: the tab bar, the shown page's parts, then the commands left to right.
    const QList<QWidget*> chain = {m_tabs,
                                   m_verdictText,
                                   m_breakdown->table(),
                                   m_breakdown->scale(),
                                   m_historyPage->chart(),
                                   m_historyPage->table(),
                                   m_historyPage->deleteButton(),
                                   m_historyPage->exportButton(),
                                   m_recordButton,
                                   m_saveButton,
                                   m_printButton,
                                   m_closeButton};
    for (int i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));

    // From tab to tab wherever the focus is, not only inside the tab strip.
    const auto step = [this](QKeySequence keys, int by) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this, by] { stepTab(by); });
    };
    step(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    step(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
    step(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    step(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
}

void ResultForm::fill(const AssessmentResult& result, const QString& calendarAgeText)
{
    m_result = result;
    m_calendarAgeLabel->setText(calendarAgeText);
    m_biologicalAgeLabel->setText(AgeString(result.wholeBiologicalAge()));
    m_properAgeLabel->setText(AgeString(result.wholeProperBiologicalAge()));
    // The verdict's CR LF is one line break.
    QString verdict = result.verdictText;
    verdict.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_verdictText->setPlainText(verdict);
}

void ResultForm::setInputs(const AssessmentRecord& record, const QDateTime& calculatedAt)
{
    m_inputs = record;
    m_calculatedAt = calculatedAt;
    m_breakdown->setRecord(record);
}

void ResultForm::setHistory(HistoryStore* store, const QString& profileBoxText)
{
    m_store = store;
    m_profileName = profileBoxText.trimmed().isEmpty() ? QString() : profileBoxText;
    m_shownName = shownName(profileBoxText);
    m_historyPage->setHistory(store, m_profileName, m_shownName);
    m_recordButton->setEnabled(store && !m_recordedId);
}

QString ResultForm::shownName(const QString& profileBoxText)
{
    return profileBoxText.trimmed().isEmpty() ? tr("без имени") : profileBoxText;
}

void ResultForm::recordResult()
{
    if (!m_store || m_recordedId)
        return;
    const auto id = m_store->add(
        HistoryEntry::fromAssessment(m_profileName, m_inputs, m_result, m_calculatedAt));
    HistoryMessages::afterCall(this, *m_store, HistoryMessages::Action::Record, id.has_value());
    if (!id)
        return;
    m_recordedId = id;
    m_recordButton->setText(recordedCaption());
    m_recordButton->setEnabled(false);
    if (m_historyPage->isLoaded())
        m_historyPage->reload();
}

// The result recorded here deleted again: it may be recorded anew.
void ResultForm::entryRemoved(qint64 id)
{
    if (m_recordedId != id)
        return;
    m_recordedId.reset();
    m_recordButton->setText(recordCaption());
    m_recordButton->setEnabled(m_store != nullptr);
}

QString ResultForm::proposedFileName() const
{
    return ReportFileName(shownName(m_shownName), m_calculatedAt.toLocalTime().date());
}

ReportContent ResultForm::reportContent()
{
    ReportContent content;
    content.calculatedAt = m_calculatedAt;
    content.profileName = shownName(m_shownName);
    content.record = m_inputs;
    content.result = m_result;
    if (m_store) {
        const auto entries = m_store->entries(m_profileName);
        HistoryMessages::afterCall(this, *m_store, HistoryMessages::Action::Read,
                                   entries.has_value());
        if (entries) {
            content.history = HistoryPage::chartPoints(*entries);
            content.pace = AgingPace::of(*entries);
        }
    }
    return content;
}

QString ResultForm::proposedCsvFileName() const
{
    return ReportFileName(shownName(m_shownName), QDate::currentDate(), QStringLiteral("csv"));
}

QString ResultForm::askSavePath(const QString& title, const QString& filter, const QString& suffix,
                                const QString& proposed)
{
    QFileDialog dialog(this, title);
    // A window of its own: it takes the program's font only when told.
    dialog.setFont(font());
    // Qt's own dialog: Russian like the rest of the program whatever the desktop's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(startFolder());
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void ResultForm::saveReport()
{
    const QString path = askSavePath(tr("Сохранить отчёт"), tr("Документ PDF (*.pdf)"),
                                     QStringLiteral("pdf"), proposedFileName());
    if (!path.isEmpty() && writeReport(path))
        reportFolder() = QFileInfo(path).absolutePath();
}

void ResultForm::exportCsv()
{
    const QString path = askSavePath(tr("Экспорт истории в CSV"), tr("Таблица CSV (*.csv)"),
                                     QStringLiteral("csv"), proposedCsvFileName());
    if (!path.isEmpty() && writeCsv(path))
        reportFolder() = QFileInfo(path).absolutePath();
}

bool ResultForm::writeCsv(const QString& path)
{
    // The store gives the newest first; the file runs from the oldest.
    QList<HistoryEntry> entries = m_historyPage->entries();
    std::reverse(entries.begin(), entries.end());
    QString why;
    if (HistoryCsv(DisplayLocale::decimalPoint()).write(path, entries, &why))
        return true;
    MessageBoxes::instance().refusal(this, tr("История не выгружена. %1").arg(why));
    return false;
}

bool ResultForm::writeReport(const QString& path)
{
    QString error;
    if (ReportPage::writePdf(path, reportContent(), &error))
        return true;
    MessageBoxes::instance().refusal(
        this, tr("Отчёт не сохранён: файл «%1» не удалось записать (нет прав или "
                 "места на диске).")
                  .arg(QDir::toNativeSeparators(path)));
    return false;
}

void ResultForm::preparePrinter(QPrinter& printer) const
{
    printer.setPageLayout(ReportPage::pageLayout());
    // Qt's print dialog proposes the document's name for printing to a file, taking whatever
    // follows its last dot for a suffix and putting ".pdf" in its place: the whole file name
    // keeps the date's year.
    printer.setDocName(proposedFileName());
}

void ResultForm::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setFont(font());
    dialog.setWindowTitle(tr("Печать отчёта"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!ReportPage::print(printer, reportContent()))
        MessageBoxes::instance().refusal(this, tr("Отчёт не напечатан: принтер недоступен."));
}

void ResultForm::stepTab(int by)
{
    const int count = m_tabs->count();
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + by + count) % count);
}

#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/profiles/ProfileInputs.h"
#include "core/stopwatch/StopwatchTarget.h"

#include <QList>
#include <QWidget>

#include <memory>

class DataMenu;
class HistoryStore;
class InputRow;
class MainBanner;
class ProfileCommands;
class ProfileToolbar;
class QButtonGroup;
class QLabel;
class QPixmap;
class QPushButton;
class QRadioButton;
class SettingsStore;
class StatementsList;

// The working window: inputs of an assessment, calculate, stopwatch, profiles, banner. The
// stores of profiles and of the results history are the caller's and outlive the window.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1(SettingsStore& settings, HistoryStore& history, QWidget* parent = nullptr);
    ~Form1() override;

    // Starts drawing the pictures the window shows at once on other threads; called before the
    // slower parts of start-up, they are ready when the window is built.
    static void prepare();

    // Design caption; the load routine appends VersionString().
    static QString designCaption();

    // Rewrites every input's value label from its slider.
    void refreshSliders();

    // The one route by which code selects or clears a sex option (0 male, 1 female):
    // selecting clears the other; clearing may leave neither selected. The sex switch follows.
    void setOptionValue(int index, bool value);

    // The inputs as the controls hold them now: the one snapshot that the calculation, the
    // results window (its breakdown, history and report) and the profile save all take.
    ProfileInputs profileInputs() const;
    AssessmentRecord currentRecord() const;
    // Loads a profile: each input it holds through the control's own setter, in the controls'
    // fixed order (the female option before the male one, so that of two stored "True" the male
    // one stands), then every slider's label update. Absent inputs leave their controls alone.
    void applyProfile(const ProfileInputs& inputs);

    // The banner pictures that sweeps take their strips from: lit, and plain as loaded.
    const QPixmap& litBanner() const;
    const QPixmap& plainBanner() const;
    // One tick of the banner sweep.
    void sweepTick();
    float sweepPosition() const;

    // A stopwatch reading handed back for the test it was taken for.
    void stopwatchHandBack(StopwatchTarget target, int reading);

    // "Рассчитать": takes the inputs, computes, shows the results window.
    void onCalculate();

private:
    void buildBiologicalGroup();
    void buildMeasurementsGroup();
    void buildBottomStrip();
    void setTabChain();

    void Form_Load();
    void onSexChanged();
    void openStopwatch(StopwatchTarget target);
    void openAbout();
    QString pressureText() const;

    SettingsStore& m_settings;
    HistoryStore& m_history;

    MainBanner* m_banner = nullptr;
    QRadioButton* m_sexOptions[2] = {}; // 0 male, 1 female
    QButtonGroup* m_sexGroup = nullptr;
    InputRow* m_ageRow = nullptr;
    InputRow* m_massRow = nullptr;
    InputRow* m_systolicRow = nullptr; // the two pressures share one label
    InputRow* m_diastolicRow = nullptr;
    InputRow* m_breathHoldRow = nullptr;
    InputRow* m_balanceRow = nullptr;
    // In the order the sliders are set up and loaded.
    QList<InputRow*> m_rows;
    StatementsList* m_statements = nullptr;
    ProfileToolbar* m_profileBar = nullptr;
    QPushButton* m_stopwatchButton = nullptr;
    QPushButton* m_calculateButton = nullptr;

    std::unique_ptr<ProfileCommands> m_profileCommands;
    // Backup and restore of the profiles and the history, beside the profile buttons.
    DataMenu* m_dataMenu = nullptr;
};

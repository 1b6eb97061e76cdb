#pragma once

#include "core/assessment/AssessmentRecord.h"
#include "core/profiles/ProfileInputs.h"
#include "core/stopwatch/StopwatchTarget.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

#include <memory>

class BannerPicture;
class DataMenu;
class GroupFrame;
class HistoryStore;
class LinkLabel;
class Panel3d;
class ProfileCommands;
class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class QToolBar;
class SettingsStore;
class Slider;
class StatementCheckBox;

// The working window: inputs of an assessment, calculate, stopwatch, profiles, banner.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Design caption; the load routine appends VersionString().
    static QString designCaption();

    // Runs every slider's label update with its current position, Slider2 to Slider7.
    void refreshSliders();

    // The one route by which code selects or clears a sex option (0 male, 1 female):
    // selecting clears the other; clearing may leave neither selected. The sex switch follows.
    void setOptionValue(int index, bool value);

    // The inputs as the controls hold them now.
    AssessmentRecord currentRecord() const;

    // Every input a profile keeps, as the controls hold them now.
    ProfileInputs profileInputs() const;
    // Loads a profile: each input it holds through the control's own setter, in the controls'
    // fixed order (the female option before the male one, so that of two stored "True" the male
    // one stands), then every slider's label update. Absent inputs leave their controls alone.
    void applyProfile(const ProfileInputs& inputs);

    // The banner pictures that sweeps take their strips from: lit, and plain as loaded.
    const QPixmap& litBanner() const;
    const QPixmap& plainBanner() const { return m_image4; }

    // Label updates, one per slider: each rewrites its value label (pressures: the mmHg field).
    void Slider2_Scroll(int Value);
    void Slider3_Scroll(int Value);
    void Slider4_Scroll(int Value);
    void Slider5_Scroll(int Value);
    void Slider6_Scroll(int Value);
    void Slider7_Scroll(int Value);

    // A stopwatch reading handed back for the test it was taken for.
    void stopwatchHandBack(StopwatchTarget target, int reading);

    // One tick of the banner sweep (Timer1).
    void Timer1_Timer();
    float sweepPosition() const { return m_sweepX; }

    // Returns the link to its plain look.
    void DisLink();

    // Calculate: reads the inputs, computes, shows the results window.
    void Command1_Click();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBanner();
    void buildBiologicalGroup();
    void buildMeasurementsGroup();
    void buildStatementsGroup();
    void buildBottomStrip();
    void connectSexSwitch();
    void setTabChain();

    void Form_Load();
    void Option1_Click();
    void openStopwatch(StopwatchTarget target);
    void Mail_Activated();
    void updatePressureLabel();

    Slider* makeSlider(const QString& name, QWidget* parent, const QRect& geometry,
                       const QString& accessibleName);
    QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent,
                      const QRect& geometry, Qt::Alignment align = Qt::AlignLeft);
    static void reachableButton(QToolBar* bar, QAction* action, const QString& accessibleName);
    QToolBar* makeStopwatchBar(const QString& name, QWidget* parent, const QRect& geometry,
                               StopwatchTarget target, const QString& accessibleName);

    // Controls, named as the window's design names them.
    BannerPicture* Picture5 = nullptr;
    QWidget* Picture6 = nullptr;
    QLabel* Image1 = nullptr;
    LinkLabel* Mail1 = nullptr;
    Panel3d* Panel3d2 = nullptr;
    GroupFrame* Frame2 = nullptr;
    GroupFrame* Frame3 = nullptr;
    GroupFrame* Frame1 = nullptr;
    QWidget* Picture2 = nullptr;
    QWidget* Picture3 = nullptr;
    QWidget* Picture4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QRadioButton* Option1[2] = {};
    QButtonGroup* optionGroup = nullptr;
    Panel3d* Panel3d1 = nullptr;
    Slider* Slider2 = nullptr;
    Slider* Slider3 = nullptr;
    Slider* Slider4 = nullptr;
    Slider* Slider5 = nullptr;
    Slider* Slider6 = nullptr;
    Slider* Slider7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QToolBar* Toolbar2 = nullptr;
    QToolBar* Toolbar3 = nullptr;
    QList<StatementCheckBox*> Check1;
    QLabel* Label10 = nullptr;
    QComboBox* Combo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QPushButton* Command2 = nullptr;
    Panel3d* Panel3d3 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label11 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Lit banner, drawn when first needed (the first sweep step), not while the window is built.
    mutable QPixmap m_image3;
    mutable bool m_image3Drawn = false;
    QPixmap m_image4; // plain banner, copied at load

    int SystolicPressure = 0;  // mmHg
    int DiastolicPressure = 0; // mmHg
    float m_sweepX = 0;        // twips

    // Each slider with its label update, Slider2 to Slider7.
    struct SliderBinding
    {
        Slider* slider;
        void (Form1::*scroll)(int);
    };
    QList<SliderBinding> m_sliders;

    // The per-user store of profiles and the commands of the profile box; the commands go
    // first when the window is destroyed, while the store they use still exists.
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<ProfileCommands> m_profileCommands;
    // Backup and restore of the profiles and the history, beside the profile buttons.
    DataMenu* m_dataMenu = nullptr;
    // The results history for the session; made at once (it costs nothing), opened by the
    // results window the first time the history is used.
    std::unique_ptr<HistoryStore> m_history;
};

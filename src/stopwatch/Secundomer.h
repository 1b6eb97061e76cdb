#pragma once

#include <QDialog>
#include <QString>

// The stopwatch window. Opened modally for a test ("vdoh" breath-holding, "stand" balance)
// or for free use (empty target); Ok hands the reading back through handBack.
class Secundomer : public QDialog
{
    Q_OBJECT
public:
    explicit Secundomer(QWidget* parent = nullptr);
    ~Secundomer() override;

    QString target() const { return m_target; }
    void setTarget(const QString& target) { m_target = target; }

signals:
    // Raised by Ok before the window closes: the reading in whole seconds.
    void handBack(const QString& target, int reading);

private:
    QString m_target;
};

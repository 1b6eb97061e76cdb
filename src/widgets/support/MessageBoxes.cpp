#include "widgets/support/MessageBoxes.h"

#include "core/app/BuildInfo.h"

#include <QMessageBox>

namespace {

class RealMessageBoxes final : public MessageBoxes
{
public:
    void refusal(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, QString::fromLatin1(AppTitle), text);
    }
    void confirmation(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QString::fromLatin1(AppTitle), text);
    }
    bool question(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(AppTitle), text,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }
};

MessageBoxes* installed = nullptr;

} // namespace

MessageBoxes& MessageBoxes::instance()
{
    static RealMessageBoxes real;
    return installed ? *installed : real;
}

void MessageBoxes::setInstance(MessageBoxes* boxes)
{
    installed = boxes;
}

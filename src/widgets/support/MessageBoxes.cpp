#include "widgets/support/MessageBoxes.h"

#include "core/app/BuildInfo.h"
#include "widgets/support/AppFonts.h"

#include <QFontMetrics>
#include <QMessageBox>

namespace {

class RealMessageBoxes final : public MessageBoxes
{
public:
    void refusal(QWidget* parent, const QString& text) override
    {
        show(parent, QMessageBox::Warning, text, QMessageBox::Ok);
    }
    void confirmation(QWidget* parent, const QString& text) override
    {
        show(parent, QMessageBox::Information, text, QMessageBox::Ok);
    }
    bool question(QWidget* parent, const QString& text) override
    {
        return show(parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::Yes) == QMessageBox::Yes;
    }

private:
    static int show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                    QMessageBox::StandardButtons buttons,
                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        QMessageBox box(icon, QString::fromLatin1(AppTitle), text, buttons, parent);
        // A box is a window of its own and does not take its parent's font; the platform's
        // message font would be larger than every other window's.
        box.setFont(AppFonts::tahoma());
        // Texts quote names as typed: "<b>" in a name is not markup.
        box.setTextFormat(Qt::PlainText);
        if (defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(defaultButton);
        return box.exec();
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

QString MessageBoxes::quotedName(const QString& name)
{
    AppFonts::registerTahoma();
    return QFontMetrics(AppFonts::tahoma()).elidedText(name, Qt::ElideMiddle, NameWidth);
}

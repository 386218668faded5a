#include "QtFileDialogs.h"

#include "GuiThread.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>

namespace relvo7 {

namespace {
QWidget* DialogParent()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}
} // namespace

QString QtFileDialogs::openFileName(const FileDialogRequest& r)
{
    QString result;
    RunOnGuiThread([&] { result = QFileDialog::getOpenFileName(DialogParent(), r.caption, r.directory, r.filter); });
    return result;
}

QString QtFileDialogs::saveFileName(const FileDialogRequest& r)
{
    QString result;
    RunOnGuiThread([&] { result = QFileDialog::getSaveFileName(DialogParent(), r.caption, r.directory, r.filter); });
    return result;
}

QString QtFileDialogs::existingDirectory(const FileDialogRequest& r)
{
    QString result;
    RunOnGuiThread([&] { result = QFileDialog::getExistingDirectory(DialogParent(), r.caption, r.directory); });
    return result;
}

std::optional<std::uint32_t> QtFileDialogs::chooseColor(std::uint32_t current)
{
    std::optional<std::uint32_t> result;
    RunOnGuiThread([&] {
        const QColor initial(int(current & 0xFF), int((current >> 8) & 0xFF), int((current >> 16) & 0xFF));
        const QColor c = QColorDialog::getColor(initial, DialogParent());
        if (c.isValid())
            result = std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
    });
    return result;
}

} // namespace relvo7

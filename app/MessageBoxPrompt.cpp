#include "MessageBoxPrompt.h"

#include "GuiThread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <array>
#include <map>
#include <memory>

namespace relvo7 {

QString PromptButtonText(PromptButton button)
{
    switch (button) {
    case PromptOk: return QStringLiteral("OK");
    case PromptCancel: return QStringLiteral("Anuluj");
    case PromptYes: return QStringLiteral("Tak");
    case PromptNo: return QStringLiteral("Nie");
    case PromptTryAgain: return QStringLiteral("Ponów próbę");
    case PromptContinue: return QStringLiteral("Kontynuuj");
    case PromptNone: break;
    }
    return QString();
}

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Buttons in the order the user reads them, with the role that places them.
struct ButtonRow {
    PromptButton button;
    QMessageBox::ButtonRole role;
};
constexpr std::array kButtonRows = {
    ButtonRow{PromptOk, QMessageBox::AcceptRole},      ButtonRow{PromptYes, QMessageBox::YesRole},
    ButtonRow{PromptNo, QMessageBox::NoRole},          ButtonRow{PromptCancel, QMessageBox::RejectRole},
    ButtonRow{PromptTryAgain, QMessageBox::AcceptRole}, ButtonRow{PromptContinue, QMessageBox::AcceptRole},
};

// Texts of the message are written with "\r\n" line ends; Qt wants "\n".
QString DisplayText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

PromptButton ShowBox(const PromptRequest& request)
{
    std::unique_ptr<QMessageBox> box(MessageBoxPrompt::createBox(request));
    box->exec();
    const QVariant chosen = box->clickedButton() ? box->clickedButton()->property("relvo7Button") : QVariant();
    if (chosen.isValid())
        return PromptButton(chosen.toUInt());
    // Closed without a button: the box's escape answer.
    if (request.buttons & PromptCancel)
        return PromptCancel;
    if (request.buttons & PromptNo)
        return PromptNo;
    return request.buttons & PromptOk ? PromptOk : request.defaultButton;
}

} // namespace

QMessageBox* MessageBoxPrompt::createBox(const PromptRequest& request)
{
    QWidget* parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                        : QApplication::activeWindow();
    auto* box = new QMessageBox(BoxIcon(request.icon), request.caption, DisplayText(request.text),
                                QMessageBox::NoButton, parent);
    const unsigned buttons = request.buttons ? request.buttons : unsigned(PromptOk);
    std::map<PromptButton, QPushButton*> added;
    for (const ButtonRow& row : kButtonRows) {
        if (!(buttons & row.button))
            continue;
        QPushButton* b = box->addButton(PromptButtonText(row.button), row.role);
        b->setProperty("relvo7Button", unsigned(row.button));
        added[row.button] = b;
        if (row.button == request.defaultButton)
            box->setDefaultButton(b);
    }
    // Escape answers Cancel, else No, else OK, as closing the box does.
    for (PromptButton b : {PromptCancel, PromptNo, PromptOk}) {
        if (added.count(b)) {
            box->setEscapeButton(added[b]);
            break;
        }
    }
    return box;
}

PromptButton MessageBoxPrompt::ask(const PromptRequest& request)
{
    PromptButton answer = PromptNone;
    RunOnGuiThread([&] { answer = ShowBox(request); });
    return answer;
}

bool InstallPolishTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        app.installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace relvo7

#include "LaterVersion.h"

#include "PanelUiTexts.h"

namespace relvo7::panel::ui {

void showLaterVersionNotice(Prompt& prompt, LaterFeature feature) {
    const char* caption = feature == LaterFeature::Parameters ? kButtonParameters
                          : feature == LaterFeature::Database ? kButtonDatabase
                                                              : kButtonJournal;
    prompt.inform(QString::fromUtf8(caption),
                  QStringLiteral("Ta funkcja będzie dostępna w kolejnej wersji programu."));
}

} // namespace relvo7::panel::ui

#include "widget/server/dialogs/ui_services.h"

#include <QColorDialog>
#include <QDialog>
#include <deque>

#include "widget/editor/paint.h"

namespace snippo {

namespace {

struct ColourRecord {
    std::deque<std::optional<COLORREF>> answers;
    COLORREF lastInitial = 0;
    int shown = 0;
};

ColourRecord& Colours()
{
    static ColourRecord record;
    return record;
}

std::deque<ModalRunner::Handler>& Handlers()
{
    static std::deque<ModalRunner::Handler> handlers;
    return handlers;
}

DialogHelpHandler& HelpHandler()
{
    static DialogHelpHandler handler;
    return handler;
}

}  // namespace

bool ColourChooser::Choose(QWidget* parent, COLORREF initial, COLORREF* chosen)
{
    ColourRecord& r = Colours();
    r.lastInitial = initial;
    ++r.shown;
    if (!r.answers.empty()) {
        std::optional<COLORREF> answer = r.answers.front();
        r.answers.pop_front();
        if (answer)
            *chosen = *answer;
        return answer.has_value();
    }
    // Qt's own dialog always shows the custom colour part, which is what "fully open" asks.
    QColorDialog dialog(ToQColor(initial), parent);
    dialog.setObjectName(QStringLiteral("colourDialog"));
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return false;
    *chosen = FromQColor(dialog.selectedColor());
    return true;
}

void ColourChooser::SetNextAnswer(std::optional<COLORREF> answer)
{
    Colours().answers.push_back(answer);
}

COLORREF ColourChooser::LastInitial()
{
    return Colours().lastInitial;
}

int ColourChooser::ShownCount()
{
    return Colours().shown;
}

int ModalRunner::Run(QDialog& dialog)
{
    if (!Handlers().empty()) {
        Handler handler = std::move(Handlers().front());
        Handlers().pop_front();
        const int result = handler(dialog);
        dialog.setResult(result);
        return result;
    }
    return dialog.exec();
}

void ModalRunner::SetNextHandler(Handler handler)
{
    Handlers().push_back(std::move(handler));
}

void ModalRunner::ClearHandlers()
{
    Handlers().clear();
}

void SetDialogHelpHandler(DialogHelpHandler handler)
{
    HelpHandler() = std::move(handler);
}

bool ShowDialogHelp(unsigned context)
{
    if (!HelpHandler())
        return false;
    HelpHandler()(context);
    return true;
}

}  // namespace snippo

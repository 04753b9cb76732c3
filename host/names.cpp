#include "host/names.h"

#include "host/prompt_service.h"
#include "host/resource.h"

namespace snippo {

bool IsValidName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        char16_t u = c.unicode();
        bool alnum = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
        if (!alnum)
            return false;
    }
    return true;
}

bool CheckName(QWidget* parent, const QString& name, const char* invalidMessage)
{
    if (name.isEmpty()) {
        AskUser(parent, text::Tr(text::kEnterName));
        return false;
    }
    if (!IsValidName(name)) {
        AskUser(parent, text::Tr(invalidMessage));
        return false;
    }
    return true;
}

}  // namespace snippo

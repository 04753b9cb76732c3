#include "widget/editor/button_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace snippo {

QByteArray WriteButtons(const std::vector<CDrawObj*>& objects)
{
    std::vector<std::uint8_t> buffer;
    buffer.reserve(4096);
    CArchive ar(buffer, CArchive::store);
    ar.WriteUInt32(static_cast<std::uint32_t>(objects.size()));
    for (const CDrawObj* obj : objects)
        ar.WriteObject(obj);
    return QByteArray(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(buffer.size()));
}

std::vector<std::unique_ptr<CDrawObj>> ReadButtons(const QByteArray& data)
{
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());
    CArchive ar(bytes);
    std::vector<std::unique_ptr<CDrawObj>> objects;
    const std::uint32_t count = ar.ReadCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CObject> obj = ar.ReadNewObject("CDrawRect");
        if (!obj)
            throw ArchiveError("The clipboard data names a button that is missing or listed twice.");
        std::unique_ptr<CDrawObj> drawObj = OwnedAs<CDrawObj>(obj);
        if (!drawObj)
            throw ArchiveError("The clipboard data holds an object that is not a button.");
        objects.push_back(std::move(drawObj));
    }
    if (ar.Remaining() != 0)
        throw ArchiveError("The clipboard data goes on after its last button.");
    return objects;
}

void PutButtonsOnClipboard(const std::vector<CDrawObj*>& objects)
{
    auto* mime = new QMimeData;
    const QByteArray data = WriteButtons(objects);
    mime->setData(QString::fromLatin1(kClipboardMimeType), data);
    mime->setData(QString::fromLatin1(kClipboardFormatName), data);
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool ClipboardHasButtons()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && (mime->hasFormat(QString::fromLatin1(kClipboardMimeType)) ||
                    mime->hasFormat(QString::fromLatin1(kClipboardFormatName)));
}

QByteArray ClipboardButtonData()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return {};
    if (mime->hasFormat(QString::fromLatin1(kClipboardMimeType)))
        return mime->data(QString::fromLatin1(kClipboardMimeType));
    return mime->data(QString::fromLatin1(kClipboardFormatName));
}

}  // namespace snippo

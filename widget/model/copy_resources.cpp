// Gathers the support files of a widget next to its file when it is saved.
#include <filesystem>
#include <system_error>

#include "widget/model/applet_parameters.h"
#include "widget/model/string_table.h"
#include "widget/model/text_fields.h"
#include "widget/model/web_runtime.h"

namespace fs = std::filesystem;

namespace snippo {

namespace {

bool IsRegularFile(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

void CAppletParameters::CopyResources(const std::string& destFolder, ResourceConflictHandler* handler)
{
    std::error_code ec;
    const std::string appletClass = LoadWidgetString(IDS_APPLET_CLASS);
    const fs::path classSource = fs::path(ServerFolder()) / appletClass;
    const fs::path classTarget = destFolder + appletClass;
    if (!fs::equivalent(classSource, classTarget, ec))
        fs::copy_file(classSource, classTarget, fs::copy_options::overwrite_existing, ec);
    if (m_bWebRuntime)
        CopyServerFile(kWebRuntimeFile, destFolder);

    std::vector<std::string*> paths{&m_strBackImage, &m_strBackAudio};
    std::vector<CGlimMenuItem*> items;
    NumberMenus(TopLevelMenus(), items);
    for (CGlimMenuItem* item : items)
        for (int r = 0; r < CGlimMenuItem::kResourceCount; ++r)
            paths.push_back(&item->ResourcePath(r));

    std::vector<std::string*> conflicts;
    for (std::string* path : paths) {
        if (path->empty())
            continue;
        if (!IsRegularFile(*path)) {
            path->clear();  // the file has gone: drop it from the model
            continue;
        }
        const std::string folder = FolderOf(*path);
        if ((folder.empty() ? std::string() : folder + "/") == destFolder)
            continue;
        const std::string target = destFolder + FileNameOf(*path);
        if (Exists(target)) {
            conflicts.push_back(path);
            continue;
        }
        // The copy never replaces a file; a failed copy keeps the path on the original and
        // leaves no truncated file behind, which a later read would take for the resource.
        if (fs::copy_file(*path, target, fs::copy_options::none, ec))
            *path = target;
        else if (ec != std::errc::file_exists)
            fs::remove(target, ec);
    }
    if (!conflicts.empty() && handler)
        handler->ResolveConflicts(destFolder, conflicts);
}

}  // namespace snippo

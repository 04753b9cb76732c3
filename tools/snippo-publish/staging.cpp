#include "tools/snippo-publish/staging.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace snippo::publish {

namespace {

bool MakeTempFolder(const std::string& pattern, std::string& made)
{
    std::string buffer = pattern + "XXXXXX";
    if (::mkdtemp(buffer.data()) == nullptr)
        return false;
    made = buffer;
    return true;
}

}  // namespace

Staging::~Staging()
{
    std::error_code ec;
    if (!m_stage.empty())
        fs::remove_all(m_stage, ec);
    for (const std::string& made : m_madeParents)
        fs::remove(made, ec);  // only while still empty
}

bool Staging::Begin(const std::string& outDir, std::string& message)
{
    std::error_code ec;
    const fs::path out = fs::absolute(outDir, ec).lexically_normal();
    m_outDir = (out.has_filename() ? out : out.parent_path()).string();
    const fs::path folder(m_outDir);
    m_outExisted = fs::exists(folder, ec);
    if (m_outExisted && !fs::is_directory(folder, ec)) {
        message = "\"" + outDir + "\" is not a folder";
        return false;
    }
    if (m_outExisted) {
        if (::access(m_outDir.c_str(), W_OK | X_OK) != 0) {
            message = "cannot write into \"" + outDir + "\": " + std::strerror(errno);
            return false;
        }
        if (!MakeTempFolder(m_outDir + "/.snippo-publish-", m_stage)) {
            message = "cannot write into \"" + outDir + "\": " + std::strerror(errno);
            return false;
        }
        return true;
    }
    // A new output folder is staged beside it and renamed into place in one step.
    const fs::path parent = folder.parent_path();
    for (fs::path missing = parent; !missing.empty() && !fs::exists(missing, ec); missing = missing.parent_path()) {
        m_madeParents.push_back(missing.string());
        if (missing == missing.root_path())
            break;
    }
    fs::create_directories(parent, ec);
    if (ec || !MakeTempFolder(parent.string() + "/." + folder.filename().string() + ".snippo-publish-", m_stage)) {
        message = "cannot create \"" + outDir + "\": " + (ec ? ec.message() : std::string(std::strerror(errno)));
        m_stage.clear();
        return false;
    }
    return true;
}

std::string Staging::PathOf(const std::string& name) const
{
    return m_stage + "/" + name;
}

bool Staging::Commit(std::string& message)
{
    if (!m_outExisted) {
        if (::chmod(m_stage.c_str(), 0755) != 0 || ::rename(m_stage.c_str(), m_outDir.c_str()) != 0) {
            message = "cannot create \"" + m_outDir + "\": " + std::strerror(errno);
            return false;
        }
        m_stage.clear();
        m_madeParents.clear();
        return true;
    }
    for (const std::string& name : m_names) {
        const std::string to = m_outDir + "/" + name;
        if (::rename(PathOf(name).c_str(), to.c_str()) != 0) {
            message = "cannot write \"" + to + "\": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

}  // namespace snippo::publish

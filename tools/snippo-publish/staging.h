// A folder filled beside (or inside) the output folder and moved into place only when all of
// it is written, so that a failure leaves the output folder as it was.
#pragma once

#include <string>
#include <vector>

namespace snippo::publish {

class Staging {
public:
    Staging() = default;
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;
    ~Staging();  // removes whatever was not committed

    // Checks that `outDir` can be written (creating its missing parents) and makes the
    // staging folder. False with a message otherwise.
    bool Begin(const std::string& outDir, std::string& message);

    // The path a file of this name is written to before the commit.
    std::string PathOf(const std::string& name) const;
    void Add(const std::string& name) { m_names.push_back(name); }

    // Moves every added file into the output folder (the whole staging folder when the output
    // folder did not exist). False with a message otherwise.
    bool Commit(std::string& message);

private:
    std::string m_outDir;
    std::string m_stage;
    bool m_outExisted = false;
    std::vector<std::string> m_names;
    std::vector<std::string> m_madeParents;  // deepest first; removed again unless committed
};

}  // namespace snippo::publish

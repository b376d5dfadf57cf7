// Writing a share set all or nothing: a set mixing old and new shares would
// stack to noise, so either every file is replaced or none is.

#include "imaging/Report.h"
#include "shares/Shares.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lumisplit {

namespace fs = std::filesystem;

namespace {

// A name in `folder` that nothing uses yet, for a file that stands in for `name`.
fs::path FreeName(const fs::path& folder, const std::string& name, const char* kind) {
    static unsigned counter = 0;
    for (;;) {
        fs::path candidate = folder / ("." + name + "." + std::to_string(getpid()) + "." +
                                       std::to_string(counter++) + kind);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

void RemoveQuietly(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

struct Slot {
    fs::path final;
    fs::path temporary;
    fs::path backup; // the older file, moved aside while the new ones go in
    bool hadOld = false;
    bool placed = false;
};

// Puts every older file back and removes every new one.
void RollBack(std::vector<Slot>& slots) {
    for (Slot& slot : slots) {
        std::error_code ec;
        if (slot.placed)
            fs::remove(slot.final, ec);
        if (slot.hadOld) {
            fs::rename(slot.backup, slot.final, ec);
            if (ec)
                Report("Could not restore " + slot.final.string() + " from " +
                       slot.backup.string() + ": " + ec.message() + ".");
        }
        RemoveQuietly(slot.temporary);
    }
}

} // namespace

bool WriteShareSet(ShareSet& shares, const std::string& directory) {
    const fs::path folder = directory.empty() ? fs::path(".") : fs::path(directory);
    const std::string refused =
        "Cannot write the shares into " + folder.string() + "; no share file was changed";

    std::vector<Slot> slots;
    slots.reserve(shares.size());
    // Reports `refused` followed by why, and undoes what was done so far.
    const auto fail = [&](const std::string& why) {
        Report(refused + why);
        RollBack(slots);
        return false;
    };
    for (CBmpImage& share : shares) {
        Slot slot;
        slot.final = folder / share.m_strFileName;
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(slot.final, ec);
        if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_symlink(status))
            return fail(": " + slot.final.string() + " is not a file.");
        slot.temporary = FreeName(folder, share.m_strFileName, ".new");
        const std::string name = share.m_strFileName;
        share.m_strFileName = slot.temporary.string();
        const bool written = share.Write(); // reports its own failure
        share.m_strFileName = name;
        slots.push_back(slot);
        if (!written)
            return fail(".");
    }

    for (Slot& slot : slots) {
        std::error_code ec;
        slot.hadOld = fs::exists(fs::symlink_status(slot.final, ec));
        if (slot.hadOld) {
            slot.backup = FreeName(folder, slot.final.filename().string(), ".old");
            fs::rename(slot.final, slot.backup, ec);
            if (ec) {
                slot.hadOld = false;
                return fail(": " + ec.message() + ".");
            }
        }
        fs::rename(slot.temporary, slot.final, ec);
        if (ec)
            return fail(": " + ec.message() + ".");
        slot.placed = true;
    }
    for (const Slot& slot : slots)
        if (slot.hadOld)
            RemoveQuietly(slot.backup);
    return true;
}

} // namespace lumisplit

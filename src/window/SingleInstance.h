#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace vexa {

// Holds a lock file in the settings folder for as long as the program runs; a second start finds it
// taken and ends without touching anything. The lock lies beside the log and the settings it protects:
// a lock in a per-session folder would let a start from another session (su, ssh, another desktop) in.
class SingleInstance {
public:
    explicit SingleInstance(const QString& settingsFolder);
    bool isFirst() const { return first_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

} // namespace vexa

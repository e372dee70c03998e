#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace vexa {

// Holds a lock file in the user's runtime folder for as long as the program runs; a second start
// finds it taken and ends without touching anything.
class SingleInstance {
public:
    // `lockPath` empty: the runtime folder's lock for this program.
    explicit SingleInstance(const QString& lockPath = {});
    bool isFirst() const { return first_; }

    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

} // namespace vexa

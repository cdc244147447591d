#include "platform/registry/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "platform/files/Folders.h"
#include "platform/files/ResourceFile.h"
#include "platform/process/SystemError.h"
#include "platform/registry/RegistryFileFormat.h"
#include "platform/registry/RegistryTree.h"

namespace platform {
namespace {

constexpr std::int16_t kNotEnoughMemory = 8;
// Far beyond any registry the program writes; a larger file is refused rather than read.
constexpr std::size_t kRegistryFileMaximumBytes = 16u << 20;
constexpr const char* kDamagedSuffix = ".damaged";

// What a store holds now, and how it is kept.
class Store {
public:
    virtual ~Store() = default;
    // Brings the tree up to date with what the store keeps; 0 or the error of reading it.
    virtual std::int16_t refresh() = 0;
    // Keeps the tree after a change; 0 or the error of writing it.
    virtual std::int16_t commit() = 0;

    RegistryTree tree;
};

class MemoryStore : public Store {
public:
    std::int16_t refresh() override { return 0; }
    std::int16_t commit() override { return 0; }
};

// Which version of a file the tree was read from.
struct FileStamp {
    bool known = false;  // false: read the file again at the next refresh
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    struct timespec modified {};

    bool sameAs(const FileStamp& other) const {
        return known && other.known && exists == other.exists && device == other.device && inode == other.inode &&
               size == other.size && modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

std::int16_t stampOf(const std::string& path, FileStamp& stamp) {
    stamp = FileStamp{};
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno != ENOENT) return errorFromErrno(errno);
        stamp.known = true;
        return 0;
    }
    stamp.known = true;
    stamp.exists = true;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modified = status.st_mtim;
    return 0;
}

// Makes the folder that holds `path`, and the folders above it, when they are missing.
void makeFoldersAbove(const std::string& path) {
    for (std::size_t slash = path.find(kPathSeparator, 1); slash != std::string::npos;
         slash = path.find(kPathSeparator, slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0777);  // an existing folder is fine; a real failure shows at the write
    }
}

std::int16_t writeWhole(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(descriptor, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote < 0) return errorFromErrno(errno);
        done += static_cast<std::size_t>(wrote);
    }
    return ::fsync(descriptor) == 0 ? 0 : errorFromErrno(errno);
}

// Writes the text under a new temporary name beside the file and puts it in the file's place.
std::int16_t replaceFile(const std::string& path, const std::string& text) {
    makeFoldersAbove(path);
    std::string temporary = path + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return errorFromErrno(errno);
    std::int16_t failure = writeWhole(descriptor, text);
    if (::close(descriptor) != 0 && failure == 0) failure = errorFromErrno(errno);
    if (failure == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) failure = errorFromErrno(errno);
    if (failure != 0) ::unlink(temporary.c_str());
    return failure;
}

class FileStore : public Store {
public:
    // An empty path follows the application-data folder, wherever it is at each call.
    explicit FileStore(std::string path) : fixedPath(std::move(path)) {}

    std::int16_t refresh() override {
        const std::string path = currentPath();
        FileStamp now;
        if (const std::int16_t failure = stampOf(path, now); failure != 0) return failure;
        if (path == readPath && now.sameAs(readStamp)) return 0;
        std::string text;
        if (now.exists) {
            if (const std::int16_t failure = readResourceFile(path, kRegistryFileMaximumBytes, text); failure != 0) return failure;
        }
        tree = RegistryTree{};
        damaged = !readRegistryText(text, tree);
        readPath = path;
        readStamp = now;
        return 0;
    }

    std::int16_t commit() override {
        const std::string path = currentPath();
        if (damaged && readStamp.exists) ::rename(path.c_str(), (path + kDamagedSuffix).c_str());
        const std::int16_t failure = replaceFile(path, writeRegistryText(tree));
        if (failure != 0) {
            readStamp = FileStamp{};  // the tree holds a change the file does not: read the file again
            return failure;
        }
        damaged = false;
        stampOf(path, readStamp);
        return 0;
    }

private:
    std::string currentPath() const { return fixedPath.empty() ? defaultRegistryFilePath() : fixedPath; }

    std::string fixedPath;
    std::string readPath;
    FileStamp readStamp;
    bool damaged = false;
};

std::unique_ptr<Store>& storeInForce() {
    static std::unique_ptr<Store> store = std::make_unique<FileStore>(std::string());
    return store;
}

RegistryNode& rootNode(RegistryTree& tree, RegistryRoot root) {
    return root == RegistryRoot::ClassesRoot ? tree.classesRoot : tree.currentUser;
}

RegistryNode* findNode(RegistryTree& tree, const RegistryKey& key) {
    RegistryNode* node = &rootNode(tree, key.root());
    for (const std::string& name : key.path()) {
        node = node->child(name);
        if (!node) return nullptr;
    }
    return node;
}

// Runs work on the store in force brought up to date; work answers 0 or an error, and sets `changed`
// when the store must keep what it did.
template <typename Work>
std::int16_t onStore(Work&& work) {
    try {
        Store& store = *storeInForce();
        if (const std::int16_t failure = store.refresh(); failure != 0) return failure;
        bool changed = false;
        const std::int16_t answer = work(store.tree, changed);
        if (answer != 0 || !changed) return answer;
        return store.commit();
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    }
}

}  // namespace

std::int16_t RegistryKey::below(std::string_view subKey, RegistryKey& out) const {
    RegistryKey key = *this;
    while (!subKey.empty()) {
        const std::size_t next = subKey.find('\\');
        const std::string_view name = subKey.substr(0, next);
        subKey.remove_prefix(next == std::string_view::npos ? subKey.size() : next + 1);
        if (name.empty()) continue;
        if (!isValidRegistryKeyName(name) || key.names.size() >= kRegistryDepthLimit) return error::kRegistryBadName;
        key.names.emplace_back(name);
    }
    out = std::move(key);
    return 0;
}

std::int16_t registryOpenKey(const RegistryKey& parent, std::string_view subKey, RegistryKey& key) {
    return onStore([&](RegistryTree& tree, bool&) -> std::int16_t {
        RegistryKey wanted = parent;
        if (const std::int16_t bad = parent.below(subKey, wanted); bad != 0) return bad;
        if (!findNode(tree, wanted)) return error::kFileNotFound;
        key = std::move(wanted);
        return 0;
    });
}

std::int16_t registryCreateKey(const RegistryKey& parent, std::string_view subKey, RegistryKey& key) {
    return onStore([&](RegistryTree& tree, bool& changed) -> std::int16_t {
        RegistryKey wanted = parent;
        if (const std::int16_t bad = parent.below(subKey, wanted); bad != 0) return bad;
        RegistryNode* node = &rootNode(tree, wanted.root());
        for (const std::string& name : wanted.path()) {
            if (!node->child(name)) changed = true;
            node = &node->childOrNew(name);
        }
        key = std::move(wanted);
        return 0;
    });
}

std::int16_t registryQueryValue(const RegistryKey& key, std::string_view valueName, std::string& data) {
    return onStore([&](RegistryTree& tree, bool&) -> std::int16_t {
        const RegistryNode* node = findNode(tree, key);
        const RegistryValue* value = node ? node->value(valueName) : nullptr;
        if (!value) return error::kFileNotFound;
        data = value->data;
        return 0;
    });
}

std::int16_t registrySetValue(const RegistryKey& key, std::string_view valueName, std::string_view data) {
    return onStore([&](RegistryTree& tree, bool& changed) -> std::int16_t {
        RegistryNode* node = findNode(tree, key);
        if (!node) return error::kFileNotFound;
        node->setValue(valueName, data);
        changed = true;
        return 0;
    });
}

std::int16_t registryDeleteValue(const RegistryKey& key, std::string_view valueName) {
    return onStore([&](RegistryTree& tree, bool& changed) -> std::int16_t {
        RegistryNode* node = findNode(tree, key);
        if (!node || !node->removeValue(valueName)) return error::kFileNotFound;
        changed = true;
        return 0;
    });
}

std::int16_t registryDeleteTree(const RegistryKey& parent, std::string_view subKey) {
    return onStore([&](RegistryTree& tree, bool& changed) -> std::int16_t {
        RegistryKey target = parent;
        if (const std::int16_t bad = parent.below(subKey, target); bad != 0) return bad;
        RegistryNode* node = findNode(tree, target);
        if (!node) return error::kFileNotFound;
        if (target.path().size() == parent.path().size()) {
            node->children.clear();
            node->values.clear();
        } else {
            RegistryNode* holder = &rootNode(tree, target.root());
            for (std::size_t i = 0; i + 1 < target.path().size(); ++i) holder = holder->child(target.path()[i]);
            holder->removeChild(target.path().back());
        }
        changed = true;
        return 0;
    });
}

std::string defaultRegistryFilePath() {
    return applicationDataFolder() + kRegistryFileName;
}

void useMemoryRegistry() {
    storeInForce() = std::make_unique<MemoryStore>();
}

void useRegistryFile(const std::string& path) {
    storeInForce() = std::make_unique<FileStore>(path);
}

void useDefaultRegistry() {
    storeInForce() = std::make_unique<FileStore>(std::string());
}

}  // namespace platform

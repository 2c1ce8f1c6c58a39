#pragma once
// Where the registry lives. The real store is a text file under the user's config directory
// ($XDG_CONFIG_HOME/dialwright/registry, else ~/.config/dialwright/registry), or the file named
// by DIALWRIGHT_REGISTRY; tests install an in-memory store that can be made to fail or to lie.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "dw/platform/com/hresult.h"
#include "dw/platform/com/registrytree.h"
#include "dw/platform/platform_export.h"

namespace dw::com {

class DW_PLATFORM_EXPORT RegistryStore {
public:
    using Change = std::function<HRESULT(RegistryTree&)>;

    virtual ~RegistryStore() = default;

    // Reads the whole registry into `out`. A registry that does not exist yet reads as empty;
    // an unreadable or damaged one gives REGDB_E_READREGDB and an empty `out`.
    virtual HRESULT read(RegistryTree* out) = 0;

    // Applies `change` to the current registry and stores the result as one step. When the
    // change fails its code is returned and nothing is stored; REGDB_E_WRITEREGDB when the
    // result cannot be stored (the registry then stays as it was).
    virtual HRESULT update(const Change& change) = 0;
};

// The registry file: every call reads the file afresh, so registrations made by another
// process are seen at once. Updates are serialised between processes with a lock file beside
// it and replace the file atomically. A damaged file is moved aside to "<path>.damaged" by the
// next update rather than overwritten, so nothing in it is lost.
class DW_PLATFORM_EXPORT FileRegistryStore final : public RegistryStore {
public:
    // An empty path means the default path, looked up again at every call.
    explicit FileRegistryStore(std::string path = {});

    HRESULT read(RegistryTree* out) override;
    HRESULT update(const Change& change) override;

    // The file this store uses now; empty when no home directory can be found.
    std::string path() const;

private:
    std::string mPath;
};

// An in-memory registry for tests: holds any tree the test puts in it and fails on request.
class DW_PLATFORM_EXPORT MemoryRegistryStore final : public RegistryStore {
public:
    HRESULT read(RegistryTree* out) override;
    HRESULT update(const Change& change) override;

    // Makes every later read or update fail with the code; S_OK makes them work again.
    void failReads(HRESULT hr);
    void failUpdates(HRESULT hr);

    RegistryTree tree() const;
    void setTree(RegistryTree tree);

private:
    mutable std::mutex mMutex;
    RegistryTree mTree;
    HRESULT mReadFailure = S_OK;
    HRESULT mUpdateFailure = S_OK;
};

// The default registry file path: DIALWRIGHT_REGISTRY when set and not empty, else
// $XDG_CONFIG_HOME/dialwright/registry (an absolute XDG_CONFIG_HOME only), else
// $HOME/.config/dialwright/registry; empty when no home directory can be found.
DW_PLATFORM_EXPORT std::string defaultRegistryPath();

// The registry the whole process uses: the one installed by setRegistryStore, else the file at
// the default path. Never null.
DW_PLATFORM_EXPORT std::shared_ptr<RegistryStore> registryStore();

// Installs a registry for the whole process (tests); null goes back to the file. Returns the
// store installed before, null when that was the file.
DW_PLATFORM_EXPORT std::shared_ptr<RegistryStore>
setRegistryStore(std::shared_ptr<RegistryStore> store);

} // namespace dw::com

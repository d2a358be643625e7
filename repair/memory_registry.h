// A registry held in memory, with the semantics the walk relies on from Windows:
// case-insensitive names, subkeys enumerated in name order, a key with subkeys
// cannot be deleted, a deleted key's open handles report ERROR_KEY_DELETED.
// Used where the Windows registry is not available, and by the tests, which
// can refuse access to a key or make any single call fail.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "repair/registry.h"

namespace quellbrin {

class MemoryRegistry final : public Registry {
 public:
  enum class Op { Open, Enum, Delete, Create, Close };

  MemoryRegistry();

  RegStatus OpenKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                    RegKey* out) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, wchar_t* name,
                    std::uint32_t* length) override;
  RegStatus DeleteKey(RegKey parent, const wchar_t* name) override;
  RegStatus CreateKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                      RegKey* out) override;
  void CloseKey(RegKey key) override;

  // Set-up and inspection, by full path below HKEY_LOCAL_MACHINE.
  void AddKey(const std::wstring& path);
  void SetValue(const std::wstring& path, const std::wstring& value, const std::wstring& data);
  bool Exists(const std::wstring& path) const;
  std::size_t SubkeyCount(const std::wstring& path) const;
  std::size_t ValueCount(const std::wstring& path) const;
  // Opening the key with any of these access bits is refused.
  void DenyOpen(const std::wstring& path, std::uint32_t accessBits);
  // Deleting the key is refused.
  void DenyDelete(const std::wstring& path);
  // Every key (full path) with its values, one line each, in a stable order.
  std::vector<std::wstring> Snapshot() const;

  // The call numbered `n` (counting every call but CloseKey from 0) fails once
  // with `status` and changes nothing.
  void FailCall(std::uint64_t n, RegStatus status);
  std::uint64_t CallCount() const { return calls_; }
  std::uint64_t CountOf(Op op) const { return perOp_[static_cast<int>(op)]; }
  std::size_t OpenHandles() const { return handles_.size(); }
  void ResetCounters();

 private:
  struct CaseLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
  };
  struct Node {
    std::wstring name;
    Node* parent = nullptr;
    std::map<std::wstring, std::shared_ptr<Node>, CaseLess> children;
    std::map<std::wstring, std::wstring, CaseLess> values;
    std::uint32_t deniedAccess = 0;
    bool deleteDenied = false;
    bool deleted = false;
    int depth = 0;
  };

  bool Injected(Op op, RegStatus* status);
  std::shared_ptr<Node> NodeOf(RegKey key) const;
  // Walks `path` from `from`; returns the node, or null with `status` set.
  std::shared_ptr<Node> Resolve(const std::shared_ptr<Node>& from, const std::wstring& path,
                                RegStatus* status) const;
  std::shared_ptr<Node> Make(const std::wstring& path, RegStatus* status);
  RegKey NewHandle(const std::shared_ptr<Node>& node);
  void SnapshotInto(const Node& node, const std::wstring& path,
                    std::vector<std::wstring>* out) const;

  std::shared_ptr<Node> root_;
  std::unordered_map<RegKey, std::shared_ptr<Node>> handles_;
  RegKey nextHandle_ = 0x1000;
  std::uint64_t calls_ = 0;
  std::uint64_t perOp_[5] = {};
  std::uint64_t failAt_ = UINT64_MAX;
  RegStatus failWith_ = 0;
};

}  // namespace quellbrin

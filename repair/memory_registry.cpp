#include "repair/memory_registry.h"

#include <cwctype>

namespace quellbrin {

namespace {

constexpr int kMaxDepth = 512;  // the registry's own limit on nesting
constexpr RegStatus kErrorBadPathname = 161;

std::vector<std::wstring> SplitPath(const std::wstring& path, bool* ok) {
  std::vector<std::wstring> parts;
  *ok = true;
  std::wstring current;
  for (wchar_t c : path) {
    if (c == L'\\') {
      if (current.empty()) {
        *ok = false;  // a leading or doubled backslash
        return parts;
      }
      parts.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  // A single trailing backslash is accepted, as the Windows registry does.
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

}  // namespace

bool MemoryRegistry::CaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = std::towupper(static_cast<std::wint_t>(a[i]));
    const auto cb = std::towupper(static_cast<std::wint_t>(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

MemoryRegistry::MemoryRegistry() : root_(std::make_shared<Node>()) {
  root_->name = L"HKEY_LOCAL_MACHINE";
}

bool MemoryRegistry::Injected(Op op, RegStatus* status) {
  ++perOp_[static_cast<int>(op)];
  const std::uint64_t n = calls_++;
  if (n != failAt_) return false;
  failAt_ = UINT64_MAX;
  *status = failWith_;
  return true;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::NodeOf(RegKey key) const {
  if (key == kLocalMachine) return root_;
  auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Resolve(const std::shared_ptr<Node>& from,
                                                              const std::wstring& path,
                                                              RegStatus* status) const {
  bool ok = false;
  const auto parts = SplitPath(path, &ok);
  if (!ok) {
    *status = kErrorBadPathname;
    return nullptr;
  }
  std::shared_ptr<Node> node = from;
  for (const auto& part : parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      *status = kErrorFileNotFound;
      return nullptr;
    }
    node = it->second;
  }
  *status = kErrorSuccess;
  return node;
}

RegKey MemoryRegistry::NewHandle(const std::shared_ptr<Node>& node) {
  const RegKey key = nextHandle_;
  nextHandle_ += 4;
  handles_.emplace(key, node);
  return key;
}

RegStatus MemoryRegistry::OpenKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                                  RegKey* out) {
  RegStatus status = kErrorSuccess;
  if (Injected(Op::Open, &status)) return status;
  if (out == nullptr || name == nullptr) return kErrorInvalidParameter;
  auto from = NodeOf(parent);
  if (!from) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  auto node = Resolve(from, name, &status);
  if (!node) return status;
  if ((node->deniedAccess & access) != 0) return kErrorAccessDenied;
  *out = NewHandle(node);
  return kErrorSuccess;
}

RegStatus MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, wchar_t* name,
                                  std::uint32_t* length) {
  RegStatus status = kErrorSuccess;
  if (Injected(Op::Enum, &status)) return status;
  auto node = NodeOf(key);
  if (!node) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  if (name == nullptr || length == nullptr) return kErrorInvalidParameter;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  const std::wstring& child = it->second->name;
  if (child.size() + 1 > *length) return kErrorMoreData;
  child.copy(name, child.size());
  name[child.size()] = L'\0';
  *length = static_cast<std::uint32_t>(child.size());
  return kErrorSuccess;
}

RegStatus MemoryRegistry::DeleteKey(RegKey parent, const wchar_t* name) {
  RegStatus status = kErrorSuccess;
  if (Injected(Op::Delete, &status)) return status;
  if (name == nullptr) return kErrorInvalidParameter;
  auto from = NodeOf(parent);
  if (!from) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  auto node = Resolve(from, name, &status);
  if (!node) return status;
  if (node == root_ || node == from) return kErrorAccessDenied;
  if (!node->children.empty() || node->deleteDenied) return kErrorAccessDenied;
  node->deleted = true;
  node->parent->children.erase(node->name);
  node->parent = nullptr;
  return kErrorSuccess;
}

RegStatus MemoryRegistry::CreateKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                                    RegKey* out) {
  RegStatus status = kErrorSuccess;
  if (Injected(Op::Create, &status)) return status;
  if (out == nullptr || name == nullptr) return kErrorInvalidParameter;
  auto from = NodeOf(parent);
  if (!from) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  bool ok = false;
  const auto parts = SplitPath(name, &ok);
  if (!ok) return kErrorBadPathname;
  std::shared_ptr<Node> node = from;
  for (const auto& part : parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      if (node->depth + 1 > kMaxDepth) return kErrorInvalidParameter;
      auto child = std::make_shared<Node>();
      child->name = part;
      child->parent = node.get();
      child->depth = node->depth + 1;
      it = node->children.emplace(part, std::move(child)).first;
    }
    node = it->second;
  }
  if ((node->deniedAccess & access) != 0) return kErrorAccessDenied;
  *out = NewHandle(node);
  return kErrorSuccess;
}

void MemoryRegistry::CloseKey(RegKey key) {
  ++perOp_[static_cast<int>(Op::Close)];
  handles_.erase(key);
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Make(const std::wstring& path,
                                                           RegStatus* status) {
  const std::uint64_t failAt = failAt_;
  failAt_ = UINT64_MAX;  // set-up calls are not counted as the walk's
  const std::uint64_t calls = calls_;
  const std::uint64_t creates = perOp_[static_cast<int>(Op::Create)];
  RegKey key = 0;
  *status = CreateKey(kLocalMachine, path.c_str(), 0, &key);
  calls_ = calls;
  perOp_[static_cast<int>(Op::Create)] = creates;
  failAt_ = failAt;
  if (*status != kErrorSuccess) return nullptr;
  auto node = handles_.at(key);
  handles_.erase(key);
  return node;
}

void MemoryRegistry::AddKey(const std::wstring& path) {
  RegStatus status = kErrorSuccess;
  Make(path, &status);
}

void MemoryRegistry::SetValue(const std::wstring& path, const std::wstring& value,
                              const std::wstring& data) {
  RegStatus status = kErrorSuccess;
  if (auto node = Make(path, &status)) node->values[value] = data;
}

bool MemoryRegistry::Exists(const std::wstring& path) const {
  RegStatus status = kErrorSuccess;
  return Resolve(root_, path, &status) != nullptr;
}

std::size_t MemoryRegistry::SubkeyCount(const std::wstring& path) const {
  RegStatus status = kErrorSuccess;
  auto node = Resolve(root_, path, &status);
  return node ? node->children.size() : 0;
}

std::size_t MemoryRegistry::ValueCount(const std::wstring& path) const {
  RegStatus status = kErrorSuccess;
  auto node = Resolve(root_, path, &status);
  return node ? node->values.size() : 0;
}

void MemoryRegistry::DenyOpen(const std::wstring& path, std::uint32_t accessBits) {
  RegStatus status = kErrorSuccess;
  if (auto node = Make(path, &status)) node->deniedAccess = accessBits;
}

void MemoryRegistry::DenyDelete(const std::wstring& path) {
  RegStatus status = kErrorSuccess;
  if (auto node = Make(path, &status)) node->deleteDenied = true;
}

void MemoryRegistry::SnapshotInto(const Node& node, const std::wstring& path,
                                  std::vector<std::wstring>* out) const {
  std::wstring line = path;
  for (const auto& [value, data] : node.values) line += L" [" + value + L"=" + data + L"]";
  out->push_back(std::move(line));
  for (const auto& [name, child] : node.children) {
    SnapshotInto(*child, path.empty() ? child->name : path + L"\\" + child->name, out);
  }
}

std::vector<std::wstring> MemoryRegistry::Snapshot() const {
  std::vector<std::wstring> out;
  SnapshotInto(*root_, L"", &out);
  return out;
}

void MemoryRegistry::FailCall(std::uint64_t n, RegStatus status) {
  failAt_ = n;
  failWith_ = status;
}

void MemoryRegistry::ResetCounters() {
  calls_ = 0;
  for (auto& c : perOp_) c = 0;
}

}  // namespace quellbrin

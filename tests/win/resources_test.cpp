// quellbrin.exe's resources, read through the APIs that Explorer and the
// loader use, and what the running program makes of them.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/site.h"
#include "tests/win/in_process_probe.h"
#include "tests/win/program_under_test.h"

namespace quellbrin {
namespace {

using test::IconPixels;
using test::kIconSize;
using test::OwnFolder;
using test::RunningProgram;

const WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::wstring ProgramPath() { return OwnFolder() + L"quellbrin.exe"; }

// The exe mapped for its resources only: none of its code runs.
class ResourceFile : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  // The bytes of resource `type` 1 in US English; empty if there is none.
  std::vector<uint8_t> Bytes(LPCWSTR type) const {
    HRSRC found = FindResourceExW(module_, type, MAKEINTRESOURCEW(1), kUsEnglish);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    if (data == nullptr) return {};
    return std::vector<uint8_t>(data, data + SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

// --- which resources there are -------------------------------------------

struct Listing {
  std::vector<std::wstring> names;
  std::vector<WORD> languages;
};

std::wstring NameOf(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name))
                              : std::wstring(name);
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  reinterpret_cast<Listing*>(param)->names.push_back(NameOf(name));
  return TRUE;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<Listing*>(param)->languages.push_back(language);
  return TRUE;
}

TEST_F(ResourceFile, EachOfTheFourIsNumberOneInUsEnglishOnly) {
  const struct {
    LPCWSTR type;
    const char* name;
  } kinds[] = {{RT_MANIFEST, "RT_MANIFEST"},
               {RT_VERSION, "RT_VERSION"},
               {RT_ICON, "RT_ICON"},
               {RT_GROUP_ICON, "RT_GROUP_ICON"}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    EXPECT_FALSE(Bytes(kind.type).empty());
    Listing listing;
    EnumResourceNamesW(module_, kind.type, AddName, reinterpret_cast<LONG_PTR>(&listing));
    EXPECT_EQ(listing.names, std::vector<std::wstring>{L"#1"});
    EnumResourceLanguagesW(module_, kind.type, MAKEINTRESOURCEW(1), AddLanguage,
                           reinterpret_cast<LONG_PTR>(&listing));
    EXPECT_EQ(listing.languages, std::vector<WORD>{kUsEnglish});
  }
}

// --- the manifest --------------------------------------------------------

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<Element> children;
  bool operator==(const Element& o) const {
    return name == o.name && attributes == o.attributes && children == o.children;
  }
};

std::string Show(const Element& e, int depth = 0) {
  std::string out(depth * 2, ' ');
  out += "<" + e.name;
  for (const auto& [key, value] : e.attributes) out += " " + key + "=\"" + value + "\"";
  out += ">\n";
  for (const auto& child : e.children) out += Show(child, depth + 1);
  return out;
}

// Just enough XML for a manifest: a declaration, elements, attributes,
// comments and white space; text content other than blanks is an error.
class XmlReader {
 public:
  explicit XmlReader(std::string text) : s_(std::move(text)) {}

  bool Document(Element& declaration, Element& root) {
    if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) i_ = 3;
    if (s_.compare(i_, 5, "<?xml") != 0) return false;
    i_ += 5;
    declaration.name = "?xml";
    if (!Attributes(declaration) || s_.compare(i_, 2, "?>") != 0) return false;
    i_ += 2;
    if (!Misc() || !Node(root) || !Misc()) return false;
    return i_ == s_.size();
  }

 private:
  void Blanks() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool Misc() {
    for (;;) {
      Blanks();
      if (s_.compare(i_, 4, "<!--") != 0) return true;
      const size_t end = s_.find("-->", i_);
      if (end == std::string::npos) return false;
      i_ = end + 3;
    }
  }
  std::string Name() {
    const size_t start = i_;
    while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) ||
                              std::strchr(":_-.", s_[i_]) != nullptr))
      ++i_;
    return s_.substr(start, i_ - start);
  }
  bool Attributes(Element& e) {
    for (;;) {
      Blanks();
      const std::string key = Name();
      if (key.empty()) return true;
      Blanks();
      if (i_ >= s_.size() || s_[i_++] != '=') return false;
      Blanks();
      if (i_ >= s_.size() || (s_[i_] != '"' && s_[i_] != '\'')) return false;
      const char quote = s_[i_++];
      const size_t end = s_.find(quote, i_);
      if (end == std::string::npos) return false;
      if (!e.attributes.emplace(key, s_.substr(i_, end - i_)).second) return false;
      i_ = end + 1;
    }
  }
  bool Node(Element& e) {
    if (s_.compare(i_, 1, "<") != 0) return false;
    ++i_;
    e.name = Name();
    if (e.name.empty() || !Attributes(e)) return false;
    if (s_.compare(i_, 2, "/>") == 0) {
      i_ += 2;
      return true;
    }
    if (s_.compare(i_, 1, ">") != 0) return false;
    ++i_;
    for (;;) {
      if (!Misc()) return false;
      if (s_.compare(i_, 2, "</") == 0) {
        i_ += 2;
        if (Name() != e.name) return false;
        Blanks();
        return s_.compare(i_++, 1, ">") == 0;
      }
      Element child;
      if (!Node(child)) return false;
      e.children.push_back(std::move(child));
    }
  }

  std::string s_;
  size_t i_ = 0;
};

TEST(XmlReader, RejectsWhatIsNotAWellFormedManifest) {
  const char* broken[] = {
      "<assembly/>",                                          // no declaration
      "<?xml version=\"1.0\"?><a><b></a>",                    // unclosed element
      "<?xml version=\"1.0\"?><a x=\"1\" x=\"2\"/>",          // repeated attribute
      "<?xml version=\"1.0\"?><a>text</a>",                   // text content
      "<?xml version=\"1.0\"?><a/><b/>",                      // two roots
      "<?xml version=\"1.0\"?><a x=\"1/>",                    // open quote
  };
  for (const char* text : broken) {
    Element declaration, root;
    EXPECT_FALSE(XmlReader(text).Document(declaration, root)) << text;
  }
}

Element Make(std::string name, std::map<std::string, std::string> attributes,
             std::vector<Element> children = {}) {
  return Element{std::move(name), std::move(attributes), std::move(children)};
}

TEST_F(ResourceFile, ManifestAsksForAdministratorAndCommonControls6) {
  const std::vector<uint8_t> bytes = Bytes(RT_MANIFEST);
  ASSERT_FALSE(bytes.empty());
  Element declaration, root;
  ASSERT_TRUE(XmlReader(std::string(bytes.begin(), bytes.end())).Document(declaration, root));

#ifdef _WIN64
  const std::string arch = "amd64";  // the 64-bit test build
#else
  const std::string arch = "X86";
#endif
  const Element expected = Make(
      "assembly", {{"xmlns", "urn:schemas-microsoft-com:asm.v1"}, {"manifestVersion", "1.0"}},
      {Make("assemblyIdentity", {{"version", "1.0.0.0"},
                                 {"processorArchitecture", arch},
                                 {"name", "CompanyName.ProductName.YourApp"},
                                 {"type", "win32"}}),
       Make("description", {}),
       Make("dependency", {},
            {Make("dependentAssembly", {},
                  {Make("assemblyIdentity", {{"type", "win32"},
                                             {"name", "Microsoft.Windows.Common-Controls"},
                                             {"version", "6.0.0.0"},
                                             {"processorArchitecture", arch},
                                             {"publicKeyToken", "6595b64144ccf1df"},
                                             {"language", "*"}})})}),
       Make("trustInfo", {{"xmlns", "urn:schemas-microsoft-com:asm.v2"}},
            {Make("security", {},
                  {Make("requestedPrivileges", {},
                        {Make("requestedExecutionLevel",
                              {{"level", "requireAdministrator"}, {"uiAccess", "false"}})})})})});
  EXPECT_EQ(root, expected) << Show(root);
  EXPECT_EQ(declaration.attributes, (std::map<std::string, std::string>{
                                        {"version", "1.0"},
                                        {"encoding", "UTF-8"},
                                        {"standalone", "yes"}}));
}

// --- the version block ---------------------------------------------------

struct VersionNode {
  std::wstring key;
  std::vector<uint8_t> value;
  std::vector<VersionNode> children;
};

// One VS_VERSIONINFO-style node at `offset` of `block`; false if it does not fit.
bool ReadNode(const std::vector<uint8_t>& block, size_t offset, size_t limit, VersionNode& node) {
  auto word = [&](size_t at) { return static_cast<size_t>(block[at] | block[at + 1] << 8); };
  if (offset + 6 > limit) return false;
  const size_t length = word(offset), valueLength = word(offset + 2), type = word(offset + 4);
  const size_t end = offset + length;
  if (length < 6 || end > limit) return false;
  size_t at = offset + 6;
  for (; at + 1 < end && word(at) != 0; at += 2) node.key += static_cast<wchar_t>(word(at));
  at += 2;
  at = (at + 3) & ~size_t{3};
  const size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
  if (at + valueBytes > end) return false;
  node.value.assign(block.begin() + at, block.begin() + at + valueBytes);
  at = (at + valueBytes + 3) & ~size_t{3};
  while (at < end) {
    VersionNode child;
    if (!ReadNode(block, at, end, child)) return false;
    at = (at + word(at) + 3) & ~size_t{3};
    node.children.push_back(std::move(child));
  }
  return true;
}

std::vector<std::wstring> KeysOf(const VersionNode& node) {
  std::vector<std::wstring> keys;
  for (const auto& child : node.children) keys.push_back(child.key);
  return keys;
}

const struct {
  const wchar_t* key;
  std::wstring value;
} kStrings[] = {
    {L"CompanyName", kSiteHost},
    {L"ProductName", L"Quellbrin for Windows 8 CP"},
    {L"ProductVersion", L"1.0"},
    {L"FileVersion", L"1.0"},
    {L"FileDescription", L"Use this tool when Metro apps are not working"},
    {L"LegalCopyright", kSiteHost},
    {L"Email", kAuthorEmail},
    {L"Website", kSiteHost},
};

TEST_F(ResourceFile, VersionBlockHoldsExactlyTheEightStringsInOrder) {
  const std::vector<uint8_t> block = Bytes(RT_VERSION);
  VersionNode root;
  ASSERT_TRUE(ReadNode(block, 0, block.size(), root));
  EXPECT_EQ(root.key, L"VS_VERSION_INFO");
  ASSERT_EQ(KeysOf(root), (std::vector<std::wstring>{L"StringFileInfo", L"VarFileInfo"}));
  const VersionNode& strings = root.children[0];
  ASSERT_EQ(KeysOf(strings), std::vector<std::wstring>{L"040704B0"});
  std::vector<std::wstring> expected;
  for (const auto& s : kStrings) expected.push_back(s.key);
  EXPECT_EQ(KeysOf(strings.children[0]), expected);
  const VersionNode& vars = root.children[1];
  ASSERT_EQ(KeysOf(vars), std::vector<std::wstring>{L"Translation"});
  EXPECT_EQ(vars.children[0].value, (std::vector<uint8_t>{0x07, 0x04, 0xB0, 0x04}));
}

class VersionInfo : public testing::Test {
 protected:
  void SetUp() override {
    const DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, data_.data()));
  }
  bool Query(const std::wstring& path, void** value, UINT* length) {
    return VerQueryValueW(data_.data(), path.c_str(), value, length);
  }
  std::vector<uint8_t> data_;
};

TEST_F(VersionInfo, ExplorerSeesEveryString) {
  for (const auto& s : kStrings) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query(std::wstring(L"\\StringFileInfo\\040704B0\\") + s.key, &value, &length))
        << testing::PrintToString(std::wstring(s.key));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), s.value);
  }
}

TEST_F(VersionInfo, FixedPartAndTranslation) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query(L"\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileSubtype, 0u);

  ASSERT_TRUE(Query(L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0407);
  EXPECT_EQ(static_cast<const WORD*>(value)[1], 0x04B0);
}

// --- the icon ------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(ResourceFile, IconIsOne32BitImageWithAlpha) {
  const std::vector<uint8_t> image = Bytes(RT_ICON);
  ASSERT_EQ(image.size(), 4264u);
  BITMAPINFOHEADER header;
  std::memcpy(&header, image.data(), sizeof(header));
  EXPECT_EQ(header.biSize, 40u);
  EXPECT_EQ(header.biWidth, kIconSize);
  EXPECT_EQ(header.biHeight, 2 * kIconSize);  // colour and mask
  EXPECT_EQ(header.biBitCount, 32);

  const std::vector<uint8_t> group = Bytes(RT_GROUP_ICON);
  ASSERT_EQ(group.size(), 6 + sizeof(GroupIconEntry));
  EXPECT_EQ(group[4] | group[5] << 8, 1);  // one image
  GroupIconEntry entry;
  std::memcpy(&entry, group.data() + 6, sizeof(entry));
  EXPECT_EQ(entry.width, kIconSize);
  EXPECT_EQ(entry.height, kIconSize);
  EXPECT_EQ(entry.bitCount, 32);
  EXPECT_EQ(entry.bytes, 4264u);
  EXPECT_EQ(entry.id, 1);

  HICON icon = static_cast<HICON>(
      LoadImageW(module_, MAKEINTRESOURCEW(1), IMAGE_ICON, kIconSize, kIconSize, 0));
  ASSERT_NE(icon, nullptr);
  const std::vector<uint8_t> pixels = IconPixels(icon);
  DestroyIcon(icon);
  ASSERT_EQ(pixels.size(), 4096u) << "not a 32 x 32, 32-bit colour bitmap";
  // The loaded image is the stored one (stored bottom-up), alpha included.
  for (int y = 0; y < kIconSize; ++y)
    ASSERT_EQ(0, std::memcmp(&pixels[y * kIconSize * 4],
                             &image[40 + (kIconSize - 1 - y) * kIconSize * 4], kIconSize * 4))
        << "row " << y;
  // A round logo: clear corners, a solid ring, soft edges between.
  int clear = 0, solid = 0, partial = 0;
  for (size_t i = 3; i < pixels.size(); i += 4)
    (pixels[i] == 0 ? clear : pixels[i] == 255 ? solid : partial)++;
  EXPECT_EQ(pixels[3], 0);
  EXPECT_GT(clear, 0);
  EXPECT_GT(solid, 0);
  EXPECT_GT(partial, 0);
  EXPECT_EQ(pixels[(16 * kIconSize + 1) * 4 + 3], 255) << "the ring, left of the centre";
}

// --- the running program -------------------------------------------------

std::wstring LoadedModule(DWORD process, const std::wstring& name) {
  HANDLE snapshot = INVALID_HANDLE_VALUE;
  for (int i = 0; i < 20 && snapshot == INVALID_HANDLE_VALUE; ++i) {
    snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE) Sleep(100);
  }
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  std::wstring path;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szModule, name.c_str()) == 0) path = entry.szExePath;
  CloseHandle(snapshot);
  return path;
}

int MajorFileVersion(const std::wstring& path) {
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  std::vector<uint8_t> data(size);
  void* value = nullptr;
  UINT length = 0;
  if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return -1;
  return HIWORD(static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS);
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The manifest's dependency is honoured when comctl32 comes from the side-by-side
// store's Common-Controls 6 assembly rather than from System32 (version 5).
TEST(RunningProgram, LoadsCommonControls6) {
  RunningProgram program;
  ASSERT_TRUE(program.Start(ProgramPath(), OwnFolder()));
  const std::wstring comctl = LoadedModule(program.id(), L"comctl32.dll");
  ASSERT_FALSE(comctl.empty()) << "comctl32.dll is not loaded";
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
#ifdef _WIN64
  const std::wstring arch = L"amd64";
#else
  const std::wstring arch = L"x86";
#endif
  const std::wstring assembly = Lower(std::wstring(windows) + L"\\winsxs\\" + arch +
                                      L"_microsoft.windows.common-controls_6595b64144ccf1df_6.");
  EXPECT_EQ(Lower(comctl).compare(0, assembly.size(), assembly), 0)
      << testing::PrintToString(comctl);
  // Wine's one comctl32 build reports 5.x in its version block even when it
  // serves as assembly 6; Windows' own reports 6.
  if (!UnderWine()) {
    EXPECT_EQ(MajorFileVersion(comctl), 6) << testing::PrintToString(comctl);
  }
  EXPECT_EQ(program.Close(), 0u);
}

TEST(RunningProgram, ClassIconIsIconOne) {
  HMODULE file = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(file, nullptr);
  HICON own = static_cast<HICON>(
      LoadImageW(file, MAKEINTRESOURCEW(1), IMAGE_ICON, kIconSize, kIconSize, 0));
  const std::vector<uint8_t> expected = IconPixels(own);
  DestroyIcon(own);
  FreeLibrary(file);
  ASSERT_EQ(expected.size(), sizeof(test::ProbeResult::pixels));

  RunningProgram program;
  ASSERT_TRUE(program.Start(ProgramPath(), OwnFolder()));
  // Read from inside the program: Wine keeps icon bitmaps process-local.
  static test::ProbeResult shown;
  ASSERT_TRUE(test::ProbeInProcess(program.window(), test::kProbeClassIcon, &shown))
      << "the probe did not answer";
  ASSERT_TRUE(shown.hasIcon) << "no class icon";
  ASSERT_TRUE(shown.is32Bit32x32);
  EXPECT_EQ(std::vector<uint8_t>(shown.pixels, shown.pixels + sizeof(shown.pixels)), expected);
  EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
}  // namespace quellbrin

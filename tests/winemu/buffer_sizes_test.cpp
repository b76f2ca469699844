// The functions that fill a caller's buffer, at every size from 0 to past the answer: nothing is
// written past the buffer (guard bytes after it; ASan watches the allocation), what is written
// is terminated inside it, and the count is the one Windows returns.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "support/machine_fixture.h"

namespace {

constexpr size_t kGuard = 8;
constexpr char kGuardByte = '\xA5';

// A buffer of `size` bytes filled with 'x', followed by guard bytes, in one allocation.
class Guarded {
 public:
  explicit Guarded(size_t size) : size_(size), bytes_(new char[size + kGuard]) {
    std::memset(bytes_.get(), 'x', size);
    std::memset(bytes_.get() + size, kGuardByte, kGuard);
  }
  char* data() { return bytes_.get(); }
  BYTE* bytes() { return reinterpret_cast<BYTE*>(bytes_.get()); }
  bool GuardsIntact() const {
    for (size_t i = 0; i < kGuard; ++i)
      if (bytes_[size_ + i] != kGuardByte) return false;
    return true;
  }
  // The buffer holds a NUL at or before `at`.
  bool TerminatedBy(size_t at) const { return at < size_ && std::memchr(bytes_.get(), 0, at + 1); }

 private:
  size_t size_;
  std::unique_ptr<char[]> bytes_;
};

class BufferSizesTest : public k7x::test::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    WriteFile("C:\\Setup\\sizes.ini", "[S]\r\nLong=abcdefgh\r\none=1\r\ntwo=2\r\nthree=3\r\n[T]\r\n");
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Sizes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key_, "Test", 0, REG_SZ, reinterpret_cast<const BYTE*>("foobar"), 7);
    HKEY child = nullptr;
    RegCreateKeyExA(key_, "Subkey", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
    RegCloseKey(child);
  }
  void TearDown() override {
    RegCloseKey(key_);
    MachineTest::TearDown();
  }
  HKEY key_ = nullptr;
};

TEST_F(BufferSizesTest, GetPrivateProfileStringAValue) {
  for (DWORD size = 0; size <= 12; ++size) {
    Guarded b(size);
    DWORD n = GetPrivateProfileStringA("S", "Long", "", b.data(), size, "C:\\Setup\\sizes.ini");
    DWORD expected = size == 0 ? 0 : std::min<DWORD>(8, size - 1);
    EXPECT_EQ(n, expected) << "size " << size;
    EXPECT_TRUE(b.GuardsIntact()) << "size " << size;
    if (size) { EXPECT_EQ(b.data()[n], '\0') << "size " << size; }
    if (size) { EXPECT_EQ(std::string(b.data(), n), std::string("abcdefgh", n)) << "size " << size; }
  }
}

// A list of names needs its names, their NULs and a closing NUL, and a byte more: a buffer of
// exactly that size is cut short too. Cut short, it ends in two NULs and its count is the size
// less 2.
TEST_F(BufferSizesTest, GetPrivateProfileStringALists) {
  struct List {
    const char* section;
    std::string whole;
  } lists[] = {{"S", std::string("Long\0one\0two\0three\0", 19)}, {nullptr, std::string("S\0T\0", 4)}};
  for (const List& list : lists) {
    for (DWORD size = 0; size <= list.whole.size() + 3; ++size) {
      Guarded b(size);
      DWORD n = GetPrivateProfileStringA(list.section, nullptr, "", b.data(), size, "C:\\Setup\\sizes.ini");
      bool whole = size > list.whole.size() + 1;
      DWORD expected = whole ? list.whole.size() : size >= 2 ? size - 2 : 0;
      EXPECT_EQ(n, expected) << "size " << size;
      EXPECT_TRUE(b.GuardsIntact()) << "size " << size;
      if (whole) { EXPECT_EQ(std::string(b.data(), n + 1), list.whole + '\0'); }
      if (!whole && size >= 2) { EXPECT_TRUE(b.data()[n] == '\0' && b.data()[n + 1] == '\0') << "size " << size; }
      if (size == 1) { EXPECT_EQ(b.data()[0], '\0'); }
    }
  }
}

TEST_F(BufferSizesTest, RegQueryValueExA) {
  for (DWORD size = 0; size <= 10; ++size) {
    Guarded b(size);
    DWORD count = size;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key_, "Test", nullptr, &type, b.bytes(), &count);
    EXPECT_EQ(status, size < 7 ? ERROR_MORE_DATA : ERROR_SUCCESS) << "size " << size;
    EXPECT_EQ(count, 7u) << "size " << size;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << "size " << size;
    EXPECT_TRUE(b.GuardsIntact()) << "size " << size;
    if (size >= 7) { EXPECT_STREQ(b.data(), "foobar"); }
  }
  // Stored without a terminator: one is added only where the buffer has room for it.
  RegSetValueExA(key_, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcd"), 3);
  for (DWORD size = 3; size <= 5; ++size) {
    Guarded b(size);
    DWORD count = size;
    ASSERT_EQ(RegQueryValueExA(key_, "Bare", nullptr, nullptr, b.bytes(), &count), ERROR_SUCCESS);
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(b.GuardsIntact()) << "size " << size;
    EXPECT_EQ(b.data()[3], size == 3 ? kGuardByte : '\0') << "size " << size;
  }
}

// Every pair of name and data sizes: data too small leave the name alone; a name too small is cut
// and terminated inside its buffer; the data size is always told, the name's count only on success.
TEST_F(BufferSizesTest, RegEnumValueA) {
  for (DWORD nameSize = 0; nameSize <= 7; ++nameSize) {
    for (DWORD dataSize = 0; dataSize <= 9; ++dataSize) {
      Guarded name(nameSize);
      Guarded data(dataSize);
      DWORD nameCount = nameSize;
      DWORD dataCount = dataSize;
      DWORD type = 0;
      LONG status = RegEnumValueA(key_, 0, name.data(), &nameCount, nullptr, &type, data.bytes(), &dataCount);
      bool fits = nameSize >= 5 && dataSize >= 7;
      std::string at = "name " + std::to_string(nameSize) + ", data " + std::to_string(dataSize);
      EXPECT_EQ(status, fits ? ERROR_SUCCESS : ERROR_MORE_DATA) << at;
      EXPECT_EQ(nameCount, fits ? 4u : nameSize) << at;
      EXPECT_EQ(dataCount, 7u) << at;
      EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << at;
      EXPECT_TRUE(name.GuardsIntact() && data.GuardsIntact()) << at;
      if (dataSize >= 7 && nameSize > 0) { EXPECT_TRUE(name.TerminatedBy(nameSize - 1)) << at; }
      if (fits) { EXPECT_STREQ(name.data(), "Test"); }
    }
  }
}

TEST_F(BufferSizesTest, RegEnumKeyExA) {
  for (DWORD size = 0; size <= 9; ++size) {
    Guarded b(size);
    DWORD count = size;
    LONG status = RegEnumKeyExA(key_, 0, b.data(), &count, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(status, size < 7 ? ERROR_MORE_DATA : ERROR_SUCCESS) << "size " << size;
    EXPECT_EQ(count, size < 7 ? size : 6u) << "size " << size;
    EXPECT_TRUE(b.GuardsIntact()) << "size " << size;
    if (size) { EXPECT_TRUE(b.TerminatedBy(size - 1)) << "size " << size; }
    if (size >= 7) { EXPECT_STREQ(b.data(), "Subkey"); }
  }
}

}  // namespace

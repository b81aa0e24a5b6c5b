// The resources embedded in the library: the type library, the interface identifiers of
// each class and the version fields.
#include <cstring>
#include <fstream>
#include <iterator>

#include "server_fixture.h"

namespace {

std::vector<std::byte> guidBytes(const GUID& g) {
    std::vector<std::byte> out(16);
    std::memcpy(out.data(), &g,
                16); // the standard 16-byte form is the in-memory layout (little-endian)
    return out;
}

class ResourcesTest : public ServerTest {
  protected:
    std::span<const std::byte> resource(const char* type, const char* name) {
        return qor::findResource(reinterpret_cast<const void*>(server_.getClassObject), type, name);
    }
};

TEST_F(ResourcesTest, TypeLibraryIsTheBuiltOne) {
    std::ifstream file(QORCOMMON1_TYPELIB, std::ios::binary);
    const std::vector<char> built((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    ASSERT_FALSE(built.empty());
    const auto embedded = resource("TYPELIB", "1");
    ASSERT_EQ(embedded.size(), built.size());
    EXPECT_EQ(std::memcmp(embedded.data(), built.data(), built.size()), 0);
}

TEST_F(ResourcesTest, InterfaceIdentifiersPerClass) {
    const struct {
        const char* name;
        std::vector<const GUID*> iids;
    } cases[] = {
        {"_IID_QORFILE", {&IID_QorFile___v0, &IID__QorFile}},
        {"_IID_COMMON", {&IID__Common}},
        {"_IID_GEOSUPPORT", {&IID__GeoSupport}},
    };
    for (const auto& c : cases) {
        std::vector<std::byte> expected(4);
        const std::uint32_t count = static_cast<std::uint32_t>(16 * c.iids.size());
        for (int i = 0; i < 4; ++i)
            expected[static_cast<std::size_t>(i)] = static_cast<std::byte>(count >> (8 * i));
        for (const GUID* iid : c.iids) {
            const auto bytes = guidBytes(*iid);
            expected.insert(expected.end(), bytes.begin(), bytes.end());
        }
        const auto embedded = resource("CUSTOM", c.name);
        ASSERT_EQ(embedded.size(), expected.size()) << c.name;
        EXPECT_EQ(std::memcmp(embedded.data(), expected.data(), expected.size()), 0) << c.name;
    }
    // The QorFile list starts with the earlier identifier, byte for byte.
    const auto qorFile = resource("CUSTOM", "_IID_QORFILE");
    ASSERT_GE(qorFile.size(), 8u);
    EXPECT_EQ(qorFile[4], std::byte{0x4C});
    EXPECT_EQ(qorFile[7], std::byte{0x41});
}

TEST_F(ResourcesTest, VersionFields) {
    const auto embedded = resource("VERSION", "1");
    const std::string text(reinterpret_cast<const char*>(embedded.data()), embedded.size());
    for (const char* line :
         {"[040904B0]\n", "FileVersion=1.00.0003\n", "ProductVersion=1.00.0003\n",
          "InternalName=QorCommon1\n", "OriginalFilename=QorCommon1.dll\n",
          "ProductName=Velkin.QorCommon1\n", "OLESelfRegister=\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(ResourcesTest, AbsentResourcesAreEmpty) {
    EXPECT_TRUE(resource("TYPELIB", "2").empty());
    EXPECT_TRUE(resource("CUSTOM", "_IID_OTHER").empty());
}

} // namespace

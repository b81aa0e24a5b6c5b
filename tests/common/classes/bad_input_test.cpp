// Random hostile text (empty, 40,000 characters, NULs, unpaired surrogates, numbers and
// non-numbers) fed to every operation that takes text: each must return or fail with
// its error, never crash, hang or touch memory outside its buffers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <fstream>
#include <random>

#include "common_ops.h"
#include "geo_support.h"
#include "qor_file.h"
#include "qor_test/fake_label.h"
#include "qor_test/temp_folder.h"

namespace qor {
namespace {

int gClosedWindows = 0;

class HostileText {
  public:
    explicit HostileText(std::uint32_t seed) : random_(seed) {}

    std::u16string next() {
        switch (pick(8)) {
        case 0:
            return u"";
        case 1:
            return repeat(40000);
        case 2:
            return mixed(pick(64));
        case 3:
            return numberLike();
        case 4:
            return std::u16string(pick(3) + 1, u'\0') + mixed(pick(16));
        case 5:
            return std::u16string(1, static_cast<char16_t>(0xD800 + pick(0x800)));
        case 6:
            return u"C:\\" + mixed(pick(20)) + u"." + mixed(pick(5));
        default:
            return mixed(pick(40000));
        }
    }
    std::int16_t smallInt() { return static_cast<std::int16_t>(pick(65536) - 32768); }
    std::uint32_t pick(std::uint32_t bound) {
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(random_);
    }

  private:
    std::u16string repeat(std::size_t n) {
        return std::u16string(n, static_cast<char16_t>(u' ' + pick(95)));
    }
    std::u16string mixed(std::size_t n) {
        static constexpr char16_t kPalette[] = u" .\\/-+eE0123456789NSEWnabc*?\r\n\t";
        std::u16string text;
        text.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            switch (pick(4)) {
            case 0:
                text.push_back(static_cast<char16_t>(pick(0x10000)));
                break;
            case 1:
                text.push_back(static_cast<char16_t>(0xDC00 + pick(0x400)));
                break;
            default:
                text.push_back(kPalette[pick(sizeof(kPalette) / 2 - 1)]);
                break;
            }
        }
        return text;
    }
    std::u16string numberLike() {
        static const char16_t* const kSamples[] = {
            u"45301525N", u"073301550W", u"1e308", u"-1e309", u"1e-400",
            u"12345",     u"-",          u".",     u"+.e5",   u"0000000000000000000000000000001",
            u" 91 ",      u"nan",        u"inf",   u"&H10",   u"1,5",
            u"９"};
        return kSamples[pick(std::size(kSamples))];
    }

    std::mt19937 random_;
};

std::uint32_t seed() {
    const char* chosen = std::getenv("QOR_FUZZ_SEED");
    return chosen != nullptr ? static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10))
                             : 20261207u;
}

// Runs one call; an AutomationError is a proper outcome, anything else escaping is not.
template <typename Call> void survives(Call&& call) {
    try {
        call();
    } catch (const AutomationError& err) {
        EXPECT_NE(err.number, 0);
    }
}

class BadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        std::printf("seed %u\n", seed());
        // Any document that happens to exist goes to this harmless opener.
        const auto bin = dir.path() / "bin";
        std::filesystem::create_directories(bin);
        std::ofstream(bin / "xdg-open") << "#!/bin/sh\nexit 0\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        savedPath_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        setenv("PATH", bin.c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    test::TempDir dir;
    HostileText text{seed()};

  private:
    std::string savedPath_;
};

TEST_F(BadInput, StringOperations) {
    for (int i = 0; i < 300; ++i) {
        const std::u16string in = text.next();
        survives([&] { common::EmptyStringToZero(in); });
        survives([&] { common::RemoveSpaces(in, text.smallInt()); });
        survives([&] { common::StripTerminator(in); });
        survives([&] {
            const Bstr value(in);
            VARIANT v;
            VariantInit(&v);
            v.vt = VT_BSTR;
            v.bstrVal = value.get();
            common::NulltoString(v);
        });
    }
}

TEST_F(BadInput, PadStringNeverRaises) {
    for (int i = 0; i < 120; ++i) {
        const std::u16string in = text.next();
        const std::u16string pad = text.pick(2) == 0 ? in.substr(0, 1) : text.next();
        EXPECT_NO_THROW(common::PadString(in, text.smallInt(), pad,
                                          static_cast<std::int32_t>(text.pick(4)) - 1,
                                          text.pick(2) == 0));
    }
}

TEST_F(BadInput, FileNameParsing) {
    QorFile file;
    for (int i = 0; i < 300; ++i) {
        const std::u16string in = text.next();
        survives([&] { file.SetFileName(in, text.pick(2) == 0); });
        for (std::int32_t type = -1; type <= 5; ++type)
            EXPECT_NO_THROW(file.GetFileInfo(type, text.pick(2) == 0));
        survives([&] { common::GetFileInfo(in, text.pick(2) == 0); });
    }
}

TEST_F(BadInput, FileAndDocumentHelpers) {
    for (int i = 0; i < 200; ++i) {
        const std::u16string first = text.next();
        const std::u16string second = text.next();
        EXPECT_NO_THROW(common::FileOrDirExists(first, second));
        EXPECT_NO_THROW(common::FileOrDirExists(u"", first));
        EXPECT_NO_THROW(common::FindTextFileLength(first));
        EXPECT_NO_THROW(common::StartDoc(first, text.pick(2) == 0));
    }
}

TEST_F(BadInput, GeographicOperations) {
    for (int i = 0; i < 300; ++i) {
        const std::u16string in = text.next();
        const auto type = static_cast<std::int32_t>(text.pick(4)) - 1;
        EXPECT_NO_THROW(geo::ValidateGeoCoordinate(type, in));
        EXPECT_NO_THROW(geo::DMStoDecimalDegrees(type, in));
        EXPECT_NO_THROW(geo::ConvertImpliedDecimals(in, text.smallInt()));
        EXPECT_NO_THROW(geo::ShotPointSortValue(in, text.smallInt(), true));
    }
}

TEST_F(BadInput, LabelsAndWindows) {
    // Fewer rounds: laying out a box of 40,000 characters takes a moment.
    for (int i = 0; i < 10; ++i) {
        test::FakeLabel label;
        label.tag = text.next();
        const std::u16string in = text.next();
        survives([&] { common::ResetLabel(&label, in); });
        survives([&] { common::UpdateLabel(&label, in); });
        const std::u16string description = text.next();
        ErrObject* err = createErrObject(static_cast<std::int32_t>(text.pick(100000)) - 50000,
                                         text.next(), description);
        const int before = gClosedWindows;
        survives([&] { common::ShowError(in, text.next(), err, text.next()); });
        err->Release();
        EXPECT_EQ(gClosedWindows, before + 1);
        survives([&] { common::ShowAppVersion(in, text.next()); });
        EXPECT_EQ(gClosedWindows, before + 2);
    }
}

} // namespace
} // namespace qor

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Never a real display, not even when the tests are only being listed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Closes whatever box or dialog an operation opens, as a user would.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            ++qor::gClosedWindows;
        }
    });
    closer.start(1);
    return RUN_ALL_TESTS();
}

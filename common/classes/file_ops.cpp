// GetFileInfo, StartDoc, FileOrDirExists and FindTextFileLength.
#include "common_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <limits>
#include <locale.h>
#include <system_error>
#include <wctype.h>

#include "error_display.h"
#include "native_path.h"
#include "qor/runtime.h"
#include "qor_shell/process_start.h"
#include "runtime_errors.h"
#include "shell_codes.h"

namespace qor::common {
namespace {

// The character classes of Unicode, whatever the process locale; freed with the library,
// which a client may unload.
class UnicodeLocale {
  public:
    UnicodeLocale() : locale_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}
    ~UnicodeLocale() {
        if (locale_ != locale_t{})
            ::freelocale(locale_);
    }
    UnicodeLocale(const UnicodeLocale&) = delete;
    UnicodeLocale& operator=(const UnicodeLocale&) = delete;
    locale_t get() const { return locale_; }

  private:
    locale_t locale_;
};

// Lower case as Unicode gives it character by character.
std::u16string lowered(std::u16string_view text) {
    static const UnicodeLocale locale;
    const locale_t unicode = locale.get();
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (unicode != locale_t{})
            c = static_cast<char32_t>(::towlower_l(static_cast<wint_t>(c), unicode));
        else if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c >= 0x10000) {
            result.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(c));
        }
    }
    return result;
}

// Closes a file descriptor on every way out.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Counts lines as a text reader sees them: a line ends at CR, LF or the pair CR LF, and
// text after the last line end is one more line. -1 when the file cannot be read.
std::int32_t countLines(const std::filesystem::path& path) {
    // Non-blocking open so a FIFO cannot hang us; only a regular file is read.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return -1;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;

    std::int64_t lines = 0;
    bool afterCarriageReturn = false;
    bool openLine = false;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            const char c = buffer[static_cast<std::size_t>(i)];
            if (c == '\r') {
                ++lines;
                afterCarriageReturn = true;
                openLine = false;
            } else if (c == '\n') {
                if (!afterCarriageReturn)
                    ++lines;
                afterCarriageReturn = false;
                openLine = false;
            } else {
                afterCarriageReturn = false;
                openLine = true;
            }
        }
        if (lines > std::numeric_limits<std::int32_t>::max())
            return -1;
    }
    if (openLine)
        ++lines;
    return lines > std::numeric_limits<std::int32_t>::max() ? -1 : static_cast<std::int32_t>(lines);
}

} // namespace

// Every code above 32 is success, as the shell may answer any of them for it.
std::u16string_view shellCodeText(int code) {
    if (code > 32)
        return u"";
    switch (code) {
    case 2:
        return u"File not found";
    case 3:
        return u"Application not found";
    case 5:
        return u"Access denied";
    case 11:
        return u"Bad file format";
    case 26:
        return u"File sharing error";
    case 27:
        return u"File associateion incomplete";
    case 28:
        return u"DDE Timeout";
    case 29:
        return u"DDE Fail";
    case 30:
        return u"DDE Busy";
    case 31:
        return u"No file association";
    case 32:
        return u"DLL not found\"";
    default:
        return u"Unknown file open error";
    }
}

QorFile GetFileInfo(std::u16string_view filePath, bool failInvalidPaths) {
    QorFile file;
    file.SetFileName(filePath, failInvalidPaths);
    return file;
}

std::u16string StartDoc(std::u16string_view docName, bool displayError) {
    try {
        // The document name goes out as a C string, so it ends at its first NUL.
        const std::u16string_view document = docName.substr(0, docName.find(u'\0'));
        return std::u16string(shellCodeText(shell::openDocument(toUtf8(document))));
    } catch (const std::system_error& failure) {
        if (displayError) {
            const std::string what = failure.what();
            std::u16string procedure = u"DocName = ";
            procedure.append(docName);
            reportSwallowed(u"Velkin.QorCommon1.dll.Common.StartDoc", procedure,
                            AutomationError(kErrInvalidProcedureCall,
                                            std::u16string(kLibrarySource), fromUtf8(what)));
        }
    } catch (const std::bad_alloc&) {
        if (displayError) {
            std::u16string procedure = u"DocName = ";
            procedure.append(docName);
            reportSwallowed(u"Velkin.QorCommon1.dll.Common.StartDoc", procedure, outOfMemory());
        }
    }
    return {};
}

bool FileOrDirExists(std::u16string_view sFile, std::u16string_view sFolder) {
    if (sFile.empty() && sFolder.empty())
        return false;
    const bool checkingFile = !sFile.empty();
    std::u16string folder;
    std::u16string_view wanted;
    if (checkingFile) {
        const std::size_t lastSeparator = sFile.find_last_of(kPathSeparators);
        const std::size_t nameStart =
            lastSeparator == std::u16string_view::npos ? 0 : lastSeparator + 1;
        folder = sFile.substr(0, nameStart);
        wanted = sFile.substr(nameStart);
    } else {
        folder = sFolder;
    }
    if (folder.empty() || kPathSeparators.find(folder.back()) == std::u16string_view::npos)
        folder.push_back(u'/');

    const auto listed = toNativePath(folder);
    if (!listed)
        return false;
    std::error_code failure;
    std::filesystem::directory_iterator entry(*listed, failure);
    if (failure)
        return false;
    if (!checkingFile)
        return true;

    // Names are compared whole and literally: "*" and "?" are ordinary characters here.
    const std::u16string wantedLower = lowered(wanted);
    for (const std::filesystem::directory_iterator end; entry != end; entry.increment(failure)) {
        if (failure)
            break;
        try {
            const std::u16string name =
                StripTerminator(fromUtf8(entry->path().filename().native()));
            if (lowered(name) == wantedLower)
                return true;
        } catch (const AutomationError&) {
            // A name that cannot be read is passed over; the listing goes on.
        }
    }
    return false;
}

std::int32_t FindTextFileLength(std::u16string_view filePath) {
    try {
        if (!FileOrDirExists(filePath, u""))
            return -1;
        const auto path = toNativePath(filePath);
        return path ? countLines(*path) : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace qor::common

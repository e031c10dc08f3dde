#include "fw/StdioFile.h"
#include "tests/fixtures/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The exception that f() throws; fails the test when it throws none.
template <typename F>
CFileException CaughtFileException(F f) {
    try {
        f();
    } catch (CFileException& e) {
        return e;
    }
    ADD_FAILURE() << "no CFileException";
    return CFileException();
}

void WriteText(const std::wstring& strPath, const std::string& strText) {
    CFile file;
    ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeCreate | CFile::modeWrite));
    file.Write(strText.data(), static_cast<UINT>(strText.size()));
}

std::string ReadAll(const std::wstring& strPath) {
    CFile file;
    if (!file.Open(strPath.c_str(), CFile::modeRead | CFile::shareDenyNone)) return "<cannot open>";
    std::string strText(static_cast<size_t>(file.GetLength()), '\0');
    strText.resize(file.Read(strText.data(), static_cast<UINT>(strText.size())));
    return strText;
}

}  // namespace

TEST(CFile, OpenFailureFillsTheExceptionWithTheOsError) {
    CTempFolder temp;
    const struct {
        std::wstring strPath;
        UINT nFlags;
        int nCause;
        LONG lOsError;
    } cases[] = {
        {temp.File(L"missing.bin"), CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {temp.File(L"no\\such\\folder\\x.bin"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        CStdioFile file;
        CFileException error;
        SetLastError(0);
        EXPECT_FALSE(file.Open(c.strPath.c_str(), c.nFlags, &error));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(c.nCause, error.m_cause);
        EXPECT_EQ(c.lOsError, error.m_lOsError);
        EXPECT_EQ(static_cast<DWORD>(c.lOsError), GetLastError()) << "callers log the last error after a failed open";
        EXPECT_STREQ(c.strPath.c_str(), error.m_strFileName);
    }
}

TEST(CFile, WriteSeekReadRoundTripAndCreationModes) {
    CTempFolder temp;
    const std::wstring strPath = temp.File(L"data.bin");
    const std::string strData("abc\0def\r\nxyz", 12);
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
        file.Write(strData.data(), static_cast<UINT>(strData.size()));
        EXPECT_EQ(12u, file.GetLength());
        EXPECT_EQ(12u, file.GetPosition());
        EXPECT_EQ(4u, file.Seek(4, CFile::begin));
        char buffer[32] = {};
        EXPECT_EQ(8u, file.Read(buffer, sizeof(buffer)));
        EXPECT_EQ(strData.substr(4), std::string(buffer, 8));
        EXPECT_EQ(0u, file.Read(buffer, sizeof(buffer))) << "0 bytes at the end of the file";
        EXPECT_EQ(9u, file.Seek(-3, CFile::end));
        file.SeekToBegin();
        EXPECT_EQ(0u, file.GetPosition());
        EXPECT_EQ(12u, file.SeekToEnd());
        file.Write("!", 1);
        file.Flush();
    }
    EXPECT_EQ(strData + "!", ReadAll(strPath)) << "bytes are kept exactly, CR LF included";

    {  // modeNoTruncate keeps the contents, so an interrupted file can be continued at its end.
        CFile file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
        EXPECT_EQ(13u, file.GetLength());
        file.SeekToEnd();
        file.Write("+", 1);
    }
    EXPECT_EQ(strData + "!+", ReadAll(strPath));

    WriteText(strPath, "new");
    EXPECT_EQ("new", ReadAll(strPath)) << "modeCreate alone truncates";
}

TEST(CFile, ShareModesAreEnforced) {
    CTempFolder temp;
    const std::wstring strPath = temp.File(L"shared.bin");
    CFile writer;
    ASSERT_TRUE(writer.Open(strPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite));

    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(strPath.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_EQ(ERROR_SHARING_VIOLATION, error.m_lOsError);
    EXPECT_TRUE(second.Open(strPath.c_str(), CFile::modeRead | CFile::shareDenyNone)) << "readers are allowed";
}

TEST(CFile, FailedOperationsThrowWithTheOsErrorAndFileName) {
    CTempFolder temp;
    const std::wstring strPath = temp.File(L"ops.bin");
    WriteText(strPath, "0123456789");

    CFile reader;
    ASSERT_TRUE(reader.Open(strPath.c_str(), CFile::modeRead));
    CFileException e = CaughtFileException([&] { reader.Write("x", 1); });
    EXPECT_EQ(CFileException::accessDenied, e.m_cause);
    EXPECT_EQ(ERROR_ACCESS_DENIED, e.m_lOsError);
    EXPECT_STREQ(strPath.c_str(), e.m_strFileName);

    e = CaughtFileException([&] { reader.Seek(-1, CFile::begin); });
    EXPECT_EQ(CFileException::badSeek, e.m_cause);
    EXPECT_EQ(ERROR_NEGATIVE_SEEK, e.m_lOsError);

    CFile writer;
    ASSERT_TRUE(writer.Open(strPath.c_str(), CFile::modeWrite | CFile::shareDenyNone));
    char buffer[4];
    e = CaughtFileException([&] { writer.Read(buffer, sizeof(buffer)); });
    EXPECT_EQ(ERROR_ACCESS_DENIED, e.m_lOsError);

    writer.Close();
    writer.Close();  // closing twice is harmless
    e = CaughtFileException([&] { writer.Write("x", 1); });
    EXPECT_EQ(CFileException::invalidFile, e.m_cause);
    EXPECT_EQ(ERROR_INVALID_HANDLE, e.m_lOsError);

    // Callers' last handler catches the base class.
    bool bCaughtAsBase = false;
    try {
        writer.GetLength();
    } catch (CException&) {
        bCaughtAsBase = true;
    }
    EXPECT_TRUE(bCaughtAsBase);
}

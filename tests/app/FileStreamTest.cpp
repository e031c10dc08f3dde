#include "app/FileStream.h"
#include "fw/String.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class FileStreamTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strPath = CString(szTemp) + L"dlv-filestream.bin";
        FILE* pFile = _wfopen(m_strPath, L"wb");
        fwrite("0123456789", 1, 10, pFile);
        fclose(pFile);
        ASSERT_EQ(S_OK, FileStream::OpenFile(m_strPath, &m_pStream));
    }
    void TearDown() override {
        if (m_pStream) {
            EXPECT_EQ(0u, m_pStream->Release());
        }
        DeleteFileW(m_strPath);
    }

    CString m_strPath;
    IStream* m_pStream = nullptr;
};

}  // namespace

TEST_F(FileStreamTest, ReadPastTheEndGivesFewerBytesAndSuccess) {
    char buffer[32] = {};
    ULONG cbRead = 0;
    EXPECT_EQ(S_OK, m_pStream->Read(buffer, sizeof(buffer), &cbRead));
    EXPECT_EQ(10u, cbRead);
    EXPECT_EQ(S_OK, m_pStream->Read(buffer, sizeof(buffer), &cbRead));
    EXPECT_EQ(0u, cbRead);
}

TEST_F(FileStreamTest, SeekOrigins) {
    LARGE_INTEGER li = {};
    ULARGE_INTEGER pos = {};
    li.QuadPart = 4;
    EXPECT_EQ(S_OK, m_pStream->Seek(li, STREAM_SEEK_SET, &pos));
    EXPECT_EQ(4u, pos.QuadPart);
    li.QuadPart = 2;
    EXPECT_EQ(S_OK, m_pStream->Seek(li, STREAM_SEEK_CUR, &pos));
    EXPECT_EQ(6u, pos.QuadPart);
    li.QuadPart = -3;
    EXPECT_EQ(S_OK, m_pStream->Seek(li, STREAM_SEEK_END, &pos));
    EXPECT_EQ(7u, pos.QuadPart);
    char ch = 0;
    EXPECT_EQ(S_OK, m_pStream->Read(&ch, 1, nullptr));
    EXPECT_EQ('7', ch);
    li.QuadPart = 0;
    EXPECT_EQ(STG_E_INVALIDFUNCTION, m_pStream->Seek(li, 3, &pos));
    li.QuadPart = -100;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK), m_pStream->Seek(li, STREAM_SEEK_SET, &pos));
}

TEST_F(FileStreamTest, StatGivesTheSizeAndInterfacesAnswer) {
    STATSTG stat = {};
    EXPECT_EQ(S_OK, m_pStream->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(10u, stat.cbSize.QuadPart);
    ISequentialStream* pSequential = nullptr;
    ASSERT_EQ(S_OK, m_pStream->QueryInterface(__uuidof(ISequentialStream), reinterpret_cast<void**>(&pSequential)));
    EXPECT_EQ(1u, pSequential->Release());
    IUnknown* pPersist = nullptr;
    EXPECT_EQ(E_NOINTERFACE, m_pStream->QueryInterface(__uuidof(IPersist), reinterpret_cast<void**>(&pPersist)));
    EXPECT_EQ(E_NOTIMPL, m_pStream->Clone(nullptr));
}

TEST(FileStreamOpen, MissingFileGivesTheSystemError) {
    IStream* pStream = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), FileStream::OpenFile(L"C:\\windows\\no-such-file.xml", &pStream));
    EXPECT_EQ(nullptr, pStream);
}

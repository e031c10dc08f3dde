// The function log: where its ring starts and wraps, the form and limits of a record, and
// writers on several threads. Each test deletes the shared WndFunc.log first.
#include "setupmgr/WndFunc.h"
#include "tests/setupmgr/SetupMgrTestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <set>
#include <thread>

namespace {

class FuncLog : public testing::Test {
protected:
    void SetUp() override { DeleteFuncLog(); }
};

TEST_F(FuncLog, RingStartsAtTheLastRecordWrittenAndHolds257Records) {
    struct _Case {
        const wchar_t* pszLastRecord;  // LASTRECORD of the file; null: no file
        const wchar_t* pszFirstKey;    // where the new object's first record lands
        const wchar_t* pszSecondKey;
    };
    const _Case cases[] = {
        {nullptr, L"00000000", L"00000001"},
        {L"00000007", L"00000007", L"00000008"},
        {L"00000256", L"00000256", L"00000000"},
        {L"00000300", L"00000000", L"00000001"},
        {L"-0000005", L"00000000", L"00000001"},
        {L"garbage", L"00000000", L"00000001"},
    };
    for (const _Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "LASTRECORD " << (c.pszLastRecord ? CString(c.pszLastRecord).ToUtf8() : "missing"));
        DeleteFuncLog();
        if (c.pszLastRecord) WriteFuncLogValue(L"LOGINFO", L"LASTRECORD", c.pszLastRecord);
        { WndFunc wndFunc(1); }
        EXPECT_STREQ(L"InitLog() END. LogStart.", ReadFuncLogRecord(c.pszFirstKey).strText);
        EXPECT_STREQ(L"Constructor:iMode=1", ReadFuncLogRecord(c.pszSecondKey).strText);
    }
}

TEST_F(FuncLog, NewObjectReplacesTheLastRecordOfThePreviousOne) {
    { WndFunc wndFunc(0); }
    const CString strLastKey = ReadFuncLogValue(L"LOGINFO", L"LASTRECORD");
    ASSERT_STREQ(L"OUT:Destructor", ReadFuncLogRecord(strLastKey).strText);

    WndFunc wndFunc(0);
    EXPECT_STREQ(L"InitLog() END. LogStart.", ReadFuncLogRecord(strLastKey).strText);
}

TEST_F(FuncLog, RecordHoldsLocalTimeLevelAndText) {
    WndFunc wndFunc(0);
    const __time64_t tBefore = _time64(nullptr);
    wndFunc.WriteFuncLog(FUNCLOG_ERROR, L"FindWindow() returns NULL. target=X");
    wndFunc.WriteFuncLog(FUNCLOG_TRACE, L"IN :SetMask()");
    wndFunc.WriteFuncLog(3, L"any other level");
    wndFunc.WriteFuncLog(FUNCLOG_ERROR, nullptr);  // writes nothing
    const __time64_t tAfter = _time64(nullptr);

    const std::vector<_FuncLogRecord> records = ReadFuncLog();
    ASSERT_EQ(5u, records.size());  // InitLog, Constructor and the three records
    const _FuncLogRecord& error = records[2];
    EXPECT_STREQ(L"ERROR", error.strLevel);
    EXPECT_STREQ(L"FindWindow() returns NULL. target=X", error.strText);
    EXPECT_STREQ(L"TRACE", records[3].strLevel);
    EXPECT_STREQ(L"TRACE", records[4].strLevel);

    std::set<std::wstring> validTimes;
    for (__time64_t t = tBefore; t <= tAfter; ++t) {
        tm tmLocal{};
        _localtime64_s(&tmLocal, &t);
        wchar_t szTime[32];
        wcsftime(szTime, 32, L"%Y/%m/%d %H:%M:%S", &tmLocal);
        validTimes.insert(szTime);
    }
    EXPECT_TRUE(validTimes.count(error.strTime.str())) << error.strTime.ToUtf8();
    EXPECT_STREQ(L"00000004", ReadFuncLogValue(L"LOGINFO", L"LASTRECORD"));
}

TEST_F(FuncLog, TextsBeyondTheRecordLimitsAreCut) {
    const std::wstring strLong(1000, L'x');
    const CString strPrefixed = CString(L"FindWindow() returns NULL. target=") + strLong.c_str();
    struct _Case {
        const char* pszName;
        std::function<void(WndFunc&)> write;
        CString strExpected;
    };
    const _Case cases[] = {
        {"formatted text keeps 255 characters",
         [&](WndFunc& w) { w.WriteFuncLogFormat(FUNCLOG_ERROR, L"FindWindow() returns NULL. target=%s", strLong.c_str()); },
         strPrefixed.Left(255)},
        {"integer text keeps 255 characters",
         [&](WndFunc& w) { w.WriteFuncLogInt(FUNCLOG_TRACE, (strLong + L"%d").c_str(), 7); },
         CString(strLong.c_str()).Left(255)},
        {"whole record line keeps 511 characters",
         [&](WndFunc& w) { w.WriteFuncLog(FUNCLOG_TRACE, strLong.c_str()); },
         CString(strLong.c_str()).Left(511 - 26)},
        {"format without argument is the text",
         [&](WndFunc& w) { w.WriteFuncLogFormat(FUNCLOG_TRACE, L"100% of %s", nullptr); },
         L"100% of %s"},
        {"integer argument",
         [&](WndFunc& w) { w.WriteFuncLogInt(FUNCLOG_TRACE, L"iListItemCount=%d", 16); },
         L"iListItemCount=16"},
        {"line breaks stay inside the record",
         [&](WndFunc& w) { w.WriteFuncLog(FUNCLOG_TRACE, L"two\r\n[LOGINFO]\r\nLASTRECORD=00000099"); },
         L"two  [LOGINFO]  LASTRECORD=00000099"},
    };
    WndFunc wndFunc(0);
    for (const _Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        const int iLast = _wtoi(ReadFuncLogValue(L"LOGINFO", L"LASTRECORD"));
        c.write(wndFunc);
        CString strKey;
        strKey.Format(L"%08d", iLast + 1);
        EXPECT_STREQ(strKey, ReadFuncLogValue(L"LOGINFO", L"LASTRECORD"));
        EXPECT_STREQ(c.strExpected, ReadFuncLogRecord(strKey).strText);
    }
}

TEST_F(FuncLog, WritersOnSeveralThreadsEachGetTheirOwnRecord) {
    constexpr int kThreads = 4;
    constexpr int kRecordsPerThread = 60;  // with the object's own records, fewer than the ring holds
    std::set<std::wstring> expected;
    {
        WndFunc wndFunc(0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&wndFunc, t] {
                for (int i = 0; i < kRecordsPerThread; ++i) {
                    CString strText;
                    strText.Format(L"thread %d record %d", t, i);
                    wndFunc.WriteFuncLog(FUNCLOG_TRACE, strText);
                }
            });
            for (int i = 0; i < kRecordsPerThread; ++i) {
                expected.insert(L"thread " + std::to_wstring(t) + L" record " + std::to_wstring(i));
            }
        }
        for (std::thread& thread : threads) thread.join();
    }

    std::multiset<std::wstring> written;
    for (const _FuncLogRecord& record : ReadFuncLog()) {
        if (record.strText.Find(L"thread ") == 0) written.insert(record.strText.str());
    }
    EXPECT_EQ(expected.size(), written.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), written.begin(), written.end()));
}

TEST(FuncLogPath, JoinsBelowTheFolderOrStaysEmptyWhenTooLong) {
    struct _Case {
        std::wstring strFolder;
        BOOL bExpected;
        const wchar_t* pszExpected;
    };
    const _Case cases[] = {
        {L"C:\\ProgramData", TRUE, L"C:\\ProgramData\\Dralvex\\WndFunc.log"},
        {L"C:\\Data\\", TRUE, L"C:\\Data\\Dralvex\\WndFunc.log"},
        {L"C:\\" + std::wstring(236, L'a'), TRUE, nullptr},  // exactly 259 characters
        {L"C:\\" + std::wstring(237, L'a'), FALSE, L""},
        {L"C:\\" + std::wstring(256, L'a'), FALSE, L""},
        {L"C:\\" + std::wstring(400, L'a'), FALSE, L""},
    };
    for (const _Case& c : cases) {
        SCOPED_TRACE(c.strFolder.size());
        struct {
            wchar_t szPath[MAX_PATH];
            wchar_t szCanary[8];
        } buffer;
        wmemset(buffer.szPath, L'#', MAX_PATH);
        wmemset(buffer.szCanary, L'#', 8);
        EXPECT_EQ(c.bExpected, WndFunc::BuildLogPath(c.strFolder.c_str(), buffer.szPath));
        const std::wstring strPath(buffer.szPath, wcsnlen(buffer.szPath, MAX_PATH));
        if (c.pszExpected) {
            EXPECT_EQ(c.pszExpected, strPath);
        }
        if (c.bExpected) {
            EXPECT_EQ(c.strFolder.size() + (c.strFolder.back() == L'\\' ? 0 : 1) + 19, strPath.size());
        }
        EXPECT_EQ(std::wstring(8, L'#'), std::wstring(buffer.szCanary, 8));  // nothing written past the buffer
    }
}

}  // namespace

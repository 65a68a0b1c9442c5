#include <gtest/gtest.h>

#include "Capture/CaptureErrors.h"
#include "app/AppContext.h"

namespace Vorlune {
namespace {

// Runs the test thread under a locale whose ANSI code page the reports are written in.
class ThreadLocale {
public:
    explicit ThreadLocale(LANGID language) : previous_(GetThreadLocale()) {
        SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    }
    ~ThreadLocale() { SetThreadLocale(previous_); }

private:
    LCID previous_;
};

class ErrorsTest : public ::testing::Test {
protected:
    void TearDown() override { App().Language = 0; }
};

constexpr LANGID kJapanese = 0x411;      // code page 932
constexpr LANGID kEnglishUs = 0x409;     // code page 1252

// "エラー" and the two failure texts in code page 932.
const std::string kErrorSjis = "\x83\x47\x83\x89\x81\x5B";
const std::string kBitmapFailedSjis = "\x83\x72\x83\x62\x83\x67\x83\x7D\x83\x62\x83\x76\x90\xB6\x90\xAC\x8E\xB8\x94\x73";
const std::string kWindowFailedSjis = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x90\xB6\x90\xAC\x8E\xB8\x94\x73";

TEST_F(ErrorsTest, OutputReportInBothLanguages) {
    {
        ThreadLocale locale(kJapanese);
        App().Language = 0;
        EXPECT_EQ(std::string(AnExceptionImpl(TextBitmapCreationFailed, "C:\\src\\Capture\\Desktop.cpp", 123, 5).what()),
                  kErrorSjis + "\r\n" + kBitmapFailedSjis + "\r\n\r\nFile=C:\\src\\Capture\\Desktop.cpp\r\nLine=123\r\n"
                               "GetLastError()=5\r\n");
        App().Language = 1;
        EXPECT_EQ(std::string(AnExceptionImpl(TextBitmapCreationFailed, "/b/Capture/Desktop.cpp", -7, 0xFFFFFFFF).what()),
                  "Error\r\nBitmap creation failed\r\n\r\nFile=/b/Capture/Desktop.cpp\r\nLine=-7\r\n"
                  "GetLastError()=4294967295\r\n");
    }
    ThreadLocale locale(kEnglishUs);
    App().Language = 1;
    EXPECT_EQ(std::string(AnExceptionImpl(TextBitmapCreationFailed, "Desktop.cpp", 9, 80).what()),
              "Error\r\nBitmap creation failed\r\n\r\nFile=Desktop.cpp\r\nLine=9\r\nGetLastError()=80\r\n");
    // Japanese has no place in code page 1252: the conversion's question marks, nothing worse.
    App().Language = 0;
    EXPECT_EQ(std::string(AnExceptionImpl(TextBitmapCreationFailed, "D.cpp", 1, 2).what()),
              "???\r\n??????????\r\n\r\nFile=D.cpp\r\nLine=1\r\nGetLastError()=2\r\n");
}

TEST_F(ErrorsTest, OverlayReportInBothLanguages) {
    {
        ThreadLocale locale(kJapanese);
        App().Language = 0;
        EXPECT_EQ(std::string(CaptureException("C:\\src\\Capture\\CaptureBase.cpp", 88, 1400).what()),
                  "\x81\x79" + kErrorSjis + "\x81\x7A\r\n" + kWindowFailedSjis +
                      "\r\n\r\nC:\\src\\Capture\\CaptureBase.cpp\r\n88\r\n1400\r\n");
        App().Language = 1;
        EXPECT_EQ(std::string(CaptureException("C:\\src\\Capture\\CaptureBase.cpp", 88, 1400).what()),
                  "\x81\x79"
                  "Error\x81\x7A\r\nWindow creation failed\r\n\r\nC:\\src\\Capture\\CaptureBase.cpp\r\n88\r\n1400\r\n");
    }
    // Code page 1252 has no such brackets; plain ones instead of stray bytes.
    ThreadLocale locale(kEnglishUs);
    App().Language = 1;
    EXPECT_EQ(std::string(CaptureException("/b/Capture/CaptureBase.cpp", 12, 0xFFFFFFFF).what()),
              "[Error]\r\nWindow creation failed\r\n\r\n/b/Capture/CaptureBase.cpp\r\n12\r\n4294967295\r\n");
}

TEST_F(ErrorsTest, BothAreRuntimeErrors) {
    ThreadLocale locale(kEnglishUs);
    App().Language = 1;
    try {
        throw AnExceptionImpl(TextBitmapCreationFailed, "f", 1, 2);
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, 7), "Error\r\n");
    }
    try {
        throw CaptureException("f", 1, 2);
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, 9), "[Error]\r\n");
    }
}

}  // namespace
}  // namespace Vorlune

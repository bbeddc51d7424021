#pragma once

#include <string>

#include "families/compact/srecord.h"
#include "families/compact/wla_protocol.h"
#include "view/family_page.h"
#include "view/shared_messages.h"

namespace tw::compact {

// The page of tab 3 (WLA radios): identity, the 21-byte tracking record read from and written
// to the radio (with a read-back compared) or a ".tk4" file, and the two program-code
// buttons: reflash from an S-record file and write the radio's code to one.
class CWlaPage : public FamilyPage {
  public:
    // Radio Status fields.
    static constexpr int kRadioType = 1008;
    static constexpr int kRfType = 1012;
    static constexpr int kMaxPower = 2011;
    // Radio Application Code buttons.
    static constexpr int kWriteCodeButton = 2013;
    static constexpr int kReflashButton = 2014;

    explicit CWlaPage(Env& env);

    bool ReadTrackingFromRadio() override;
    bool ReadTrackingFromDisk() override;
    bool WriteTrackingToRadio() override;
    bool WriteTrackingToDisk() override;
    std::vector<std::string> ReportLines() override;
    std::vector<PageAction> actions() override;
    std::vector<DataFile> dataFiles() const override { return {{"tk4", DataSet::Tracking}}; }

    // The buttons: each asks for its file, then works as below.
    bool ReflashRadioFromFile();
    bool WriteCodeToFile();
    // The same with the file already chosen.
    bool reflashFrom(const std::string& path);
    bool writeCodeTo(const std::string& path);
    // Reads and checks an S-record file as Reflash would, and tells what it would flash; no
    // port is opened.
    bool checkCodeFile(const std::string& path);

    const WlaRecord& record() const { return record_; }
    void setRecord(const WlaRecord& record);
    const std::string& bandText() const { return bandText_; }
    const std::string& powerText() const { return powerText_; }

  protected:
    std::optional<std::string> valueProblem(int id, const std::string& text) const override;
    std::vector<ComparedField> comparedFields(DataSet set) const override;

  private:
    // Connects and, once the radio is identified, shows what it said.
    bool connect(WlaLink& link, WlaMode mode);
    bool takeFields(WlaRecord& out);
    // The checks of a code file before any radio traffic; a refusal has been shown (and the
    // status window, if any, closed first).
    bool loadCode(const std::vector<std::uint8_t>& bytes, MotFile& out, StatusWindow* status);
    bool flashBlocks(WlaLink& link, StatusWindow& status, const std::vector<std::uint8_t>& image);

    WlaRecord record_{};
    std::string bandText_;
    std::string powerText_;
};

namespace messages {
using shared_text::kCouldNotInitialize;
inline constexpr const char* kCouldNotReadTracking = "Could not read Tracking Data.";
inline constexpr const char* kCouldNotVerify = "Could not read Tracking Data to verify.";
inline constexpr const char* kTrackingMismatch =
    "The Tracking Data read back from the radio differs from what was written.\nPlease retry.";
inline constexpr const char* kIoErrorRetry = "I/O error, please retry";
using shared_text::kAllZero;
inline constexpr const char* kNotEnoughRecords = "The input file does not contain enough S Records";
inline constexpr const char* kNoCodeInFile =
    "The input file holds no program code between 0x2000 and 0xF77F, so flashing it would "
    "only erase the radio.";
inline constexpr const char* kNoEraseResponse = "No response to clear flash command. Please retry";
inline constexpr const char* kNoFlashResponse =
    "Radio did not respond to flash command. Please retry";
inline constexpr const char* kFlashCrcFailure = "CRC failure on flash command. Please retry";
inline constexpr const char* kFlashInvalidResponse =
    "Invalid Radio response to flash command. Please retry";
inline constexpr const char* kIoError = "I/O Error";
inline constexpr const char* kCodeCrcMismatch =
    "The CRC byte for the radio code does not match! This means that the radio code was not "
    "correctly read from the radio.";
inline constexpr const char* kCodeWritten = "Radio Code written to file successfully";
}  // namespace messages

}  // namespace tw::compact

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw {

// Flat description of an object's contents, one "path: value" line per field. Deep
// equality compares these lines, so a difference is reported as the first line that
// differs, in the words a reader of the personality would use.
class FieldList {
  public:
    explicit FieldList(std::string prefix = {}) : prefix_(std::move(prefix)) {}
    void add(const std::string& name, const std::string& value);
    void add(const std::string& name, long long value) { add(name, std::to_string(value)); }
    void add(const std::string& name, int value) { add(name, static_cast<long long>(value)); }
    void add(const std::string& name, unsigned value) { add(name, static_cast<long long>(value)); }
    void add(const std::string& name, bool value) { add(name, std::string(value ? "1" : "0")); }
    // Doubles to 1 Hz in MHz and to a millionth elsewhere: enough to tell two values apart
    // that the image could store differently, and blind to binary rounding noise.
    void add(const std::string& name, double value);
    void addBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);
    // Lines of a nested object are prefixed with `name.`.
    FieldList nested(const std::string& name) const { return FieldList(prefix_ + name + "."); }
    // An empty list with the same prefix, to gather lines in another order before appending.
    FieldList blank() const { return FieldList(prefix_); }
    void append(const FieldList& other);
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    std::string prefix_;
    std::vector<std::string> lines_;
};

// The first line in which two descriptions differ ("" when they are equal).
std::string firstDifference(const FieldList& a, const FieldList& b);

// Base of every option object. The class tag is a plain text so that objects made on one
// side of a shared-library boundary are found by the other side, where run-time type
// information of the two sides need not agree.
class COption {
  public:
    virtual ~COption() = default;
    virtual const char* ClassTag() const = 0;
    virtual std::unique_ptr<COption> Clone() const = 0;
    virtual void Describe(FieldList& out) const = 0;
};

// Gives an option class its tag and copy. Used inside the class body.
#define TW_OPTION_CLASS(Name)                         \
  public:                                             \
    static constexpr const char* kClassTag = #Name;   \
    const char* ClassTag() const override {           \
        return kClassTag;                             \
    }                                                 \
    std::unique_ptr<COption> Clone() const override { \
        return std::make_unique<Name>(*this);         \
    }

}  // namespace tw

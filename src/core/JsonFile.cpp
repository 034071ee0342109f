#include "core/JsonFile.h"

#include "core/RegularFile.h"

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstring>

namespace fb {
namespace {

constexpr std::uintmax_t kMaxFileBytes = 256u << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Hands every parse event to the document and stops the parse when arrays
// and objects nest too deep, so no later walk of the document can recurse far.
class DepthLimitedHandler {
public:
    explicit DepthLimitedHandler(rapidjson::Document& target) : mTarget(target) {}

    bool TooDeep() const { return mTooDeep; }

    bool Null() { return mTarget.Null(); }
    bool Bool(bool b) { return mTarget.Bool(b); }
    bool Int(int i) { return mTarget.Int(i); }
    bool Uint(unsigned u) { return mTarget.Uint(u); }
    bool Int64(int64_t i) { return mTarget.Int64(i); }
    bool Uint64(uint64_t u) { return mTarget.Uint64(u); }
    bool Double(double d) { return mTarget.Double(d); }
    bool RawNumber(const char* s, rapidjson::SizeType n, bool copy) { return mTarget.RawNumber(s, n, copy); }
    bool String(const char* s, rapidjson::SizeType n, bool copy) { return mTarget.String(s, n, copy); }
    bool Key(const char* s, rapidjson::SizeType n, bool copy) { return mTarget.Key(s, n, copy); }
    bool StartObject() { return Enter() && mTarget.StartObject(); }
    bool EndObject(rapidjson::SizeType members) { --mDepth; return mTarget.EndObject(members); }
    bool StartArray() { return Enter() && mTarget.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) { --mDepth; return mTarget.EndArray(elements); }

private:
    bool Enter()
    {
        if (++mDepth > kMaxJsonDepth)
            mTooDeep = true;
        return !mTooDeep;
    }

    rapidjson::Document& mTarget;
    unsigned mDepth = 0;
    bool mTooDeep = false;
};

std::string Describe(rapidjson::ParseErrorCode code, bool atEnd, bool tooDeep)
{
    using namespace rapidjson;
    if (tooDeep)
        return "arrays and objects nested deeper than " + std::to_string(kMaxJsonDepth) + " levels";
    if (atEnd)
        return "unexpected end";
    switch (code) {
    case kParseErrorDocumentEmpty: return "no value";
    case kParseErrorDocumentRootNotSingular: return "text after the root value";
    case kParseErrorValueInvalid: return "invalid value";
    case kParseErrorObjectMissName: return "missing member name";
    case kParseErrorObjectMissColon: return "missing ':' after a member name";
    case kParseErrorObjectMissCommaOrCurlyBracket: return "missing ',' or '}' in an object";
    case kParseErrorArrayMissCommaOrSquareBracket: return "missing ',' or ']' in an array";
    case kParseErrorStringUnicodeEscapeInvalidHex: return "invalid \\u escape";
    case kParseErrorStringUnicodeSurrogateInvalid: return "invalid surrogate pair";
    case kParseErrorStringEscapeInvalid: return "invalid escape";
    case kParseErrorStringMissQuotationMark: return "unterminated string";
    case kParseErrorStringInvalidEncoding: return "invalid UTF-8";
    case kParseErrorNumberTooBig: return "number too big";
    case kParseErrorNumberMissFraction: return "number without digits after '.'";
    case kParseErrorNumberMissExponent: return "number without digits in its exponent";
    default: return "syntax error";
    }
}

std::string AtByte(const std::string& source, const std::string& what, size_t offset)
{
    return source + ": " + what + " at byte " + std::to_string(offset);
}

} // namespace

bool ParseJson(std::string_view text, const std::string& source, rapidjson::Document& document, std::string& error)
{
    size_t skipped = 0;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        skipped = kByteOrderMark.size();
    text.remove_prefix(skipped);
    if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
        error = AtByte(source, "NUL byte", skipped + (static_cast<const char*>(nul) - text.data()));
        return false;
    }

    rapidjson::Document parsed;
    DepthLimitedHandler handler(parsed);
    rapidjson::ParseResult result;
    auto generate = [&](rapidjson::Document&) {
        rapidjson::MemoryStream stream(text.data(), text.size());
        rapidjson::Reader reader;
        constexpr unsigned flags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;
        result = reader.Parse<flags>(stream, handler);
        return !result.IsError();
    };
    parsed.Populate(generate);
    if (result.IsError()) {
        size_t offset = result.Offset();
        error = AtByte(source, Describe(result.Code(), offset >= text.size(), handler.TooDeep()), skipped + offset);
        return false;
    }
    document.Swap(parsed);
    return true;
}

JsonFileStatus ReadJsonFile(const std::string& path, rapidjson::Document& document, std::string& error)
{
    std::string contents;
    const RegularFileStatus status = ReadRegularFile(path, kMaxFileBytes, contents);
    if (status == RegularFileStatus::TooLarge) {
        error = path + ": larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
        return JsonFileStatus::Invalid;
    }
    if (status != RegularFileStatus::Read) {
        error = "Could not load file: " + path;
        return JsonFileStatus::Missing;
    }
    if (!ParseJson(contents, path, document, error))
        return JsonFileStatus::Invalid;
    return JsonFileStatus::Read;
}

} // namespace fb

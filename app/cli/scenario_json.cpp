// The JSON text form of a Scenario. Each field is described once (name,
// place, kind) and both directions walk those descriptions, copying bytes in
// and out of the packed records with memcpy.
//
// Values that plain JSON cannot carry exactly take the form {"hex": "..."}:
// the field's bytes in file order. The dump uses it for a float that is not
// a finite number and for a text field that is not clean text (not UTF-8, no
// NUL, or bytes after the NUL); a writer may use it for any field.
#include "scenario_json.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "model/model.h"

namespace {

using Json = nlohmann::ordered_json;

enum class Kind : uint8_t { U8, I16, U16, I32, U32, F32, Text, Bytes };

struct Field {
    const char* name;
    size_t offset;   // from the start of the record it is bound to
    size_t size;     // the whole member
    Kind kind;
    size_t element;  // one element; for text, the size of one text field
    size_t Count() const { return size / element; }
};
using Fields = std::vector<Field>;

constexpr size_t KindSize(Kind k) {
    return k == Kind::U8 ? 1 : (k == Kind::I16 || k == Kind::U16) ? 2 : 4;
}

Field Shifted(Field f, size_t by) {
    f.offset += by;
    return f;
}

#define NUM(T, f, K) Field{#f, offsetof(T, f), sizeof(T::f), Kind::K, KindSize(Kind::K)}
#define TEXT(T, f, n) Field{#f, offsetof(T, f), sizeof(T::f), Kind::Text, n}
#define BYTES(T, f) Field{#f, offsetof(T, f), sizeof(T::f), Kind::Bytes, sizeof(T::f)}
// Fields of the one-of-a-kind blocks are placed from the start of the Scenario.
#define IN(block, field) Shifted(field, offsetof(Scenario, block))

// ---- the fields of each section ----------------------------------------------

const Fields InitialValuesFields = {
    IN(initialValues, NUM(InitialValues, reserved02, F32)),
    IN(initialValues, NUM(InitialValues, initialInvestmentSavings, F32)),
    IN(initialValues, NUM(InitialValues, initialTaxFreeSavings, F32)),
    IN(initialValues, NUM(InitialValues, initialRetirementSavings, F32)),
    IN(initialValues, NUM(InitialValues, initialEquity, F32)),
    IN(initialValues, NUM(InitialValues, initialAssets, F32)),
    IN(initialValues, NUM(InitialValues, startAge, F32)),
    IN(initialValues, NUM(InitialValues, endAge, F32)),
    IN(initialValues, NUM(InitialValues, useBirthday, I16)),
    IN(initialValues, NUM(InitialValues, inflationRate, F32)),
    IN(initialValues, NUM(InitialValues, equityAppreciationRate, F32)),
    IN(initialValues, NUM(InitialValues, assetDepreciationRate, F32)),
    IN(initialValues, NUM(InitialValues, taxRate, F32)),
    IN(initialValues, NUM(InitialValues, reserved34, F32)),
    IN(initialValues, NUM(InitialValues, investmentSavingsRate, F32)),
    IN(initialValues, NUM(InitialValues, taxFreeSavingsRate, F32)),
    IN(initialValues, NUM(InitialValues, retirementSavingsRate, F32)),
    IN(initialValues, NUM(InitialValues, defaultPenaltyAge, F32)),
    IN(initialValues, NUM(InitialValues, defaultPenaltyRate, F32)),
    IN(initialValues, NUM(InitialValues, birthMonth, I16)),
    IN(initialValues, NUM(InitialValues, birthDay, I16)),
};

const Fields EventFields = {
    NUM(Event, listRow, I16),
    NUM(Event, startAge, F32),
    NUM(Event, endAge, F32),
    NUM(Event, applyRate, F32),
    NUM(Event, oneTimeOnly, U16),
    NUM(Event, eventType, U16),
    NUM(Event, amount, F32),
    NUM(Event, secondary, I16),
    NUM(Event, accountId, I16),
    NUM(Event, applyInflation, I16),
    NUM(Event, runAmount, F32),
    NUM(Event, rate2, F32),
    NUM(Event, monthlyPayment, F32),
    NUM(Event, loanRate, F32),
    NUM(Event, years, I16),
    NUM(Event, runSoldValue, F32),
    NUM(Event, runPrincipalPaid, F32),
    NUM(Event, runInterestPaid, F32),
    NUM(Event, paymentAccountAssigned, I16),
    NUM(Event, rate3, F32),
    NUM(Event, budgetIndex, I16),
    NUM(Event, transferAll, U16),
    NUM(Event, runState, U16),
    TEXT(Event, description, 64),
    NUM(Event, taxes, F32),
    NUM(Event, closingCosts, F32),
    NUM(Event, salePercent, F32),
    NUM(Event, acceleratedAmount, F32),
    BYTES(Event, reserved96),
    NUM(Event, runSold, U16),
    NUM(Event, option, U16),
    NUM(Event, paymentAccountId, I16),
};

const Fields AccountFields = {
    TEXT(Account, name, 30),
    TEXT(Account, accessOrder, 4),
    NUM(Account, balance, F32),
    NUM(Account, rate, F32),
    NUM(Account, initialAmount, F32),
    NUM(Account, yearlyRate, F32),
    NUM(Account, accountType, U16),
    NUM(Account, randomMinRate, F32),
    NUM(Account, randomMaxRate, F32),
    NUM(Account, accountId, U16),
    NUM(Account, penaltyApplies, U16),
    NUM(Account, mcMinRate, F32),
    NUM(Account, mcMaxRate, F32),
    NUM(Account, mcRateSum, F32),
    BYTES(Account, reserved4c),
    NUM(Account, groupIndex, U16),
    NUM(Account, optionsSlot, U16),
};

// The per-account arrays of AccountOptions; one element each, picked by the
// account's optionsSlot.
const Fields SlotFields = {
    IN(accountOptions, NUM(AccountOptions, penaltyAge, F32)),
    IN(accountOptions, NUM(AccountOptions, penaltyRate, F32)),
    IN(accountOptions, NUM(AccountOptions, assetAllocation, U16)),
    IN(accountOptions, NUM(AccountOptions, rmdTable, I16)),
    IN(accountOptions, NUM(AccountOptions, stdDeviation, F32)),
    IN(accountOptions, NUM(AccountOptions, mcRateCount, F32)),
    IN(accountOptions, NUM(AccountOptions, runRecordedAge, U16)),
    IN(accountOptions, NUM(AccountOptions, reserved1238, U16)),
};

const Fields GroupFields = {
    IN(settings, TEXT(ScenarioSettings, groupName, 21)),
    IN(settings, NUM(ScenarioSettings, groupRandomMinRate, F32)),
    IN(settings, NUM(ScenarioSettings, groupRandomMaxRate, F32)),
};

const Fields MonteCarloFields = {
    IN(settings, NUM(ScenarioSettings, mcMinInflationRate, F32)),
    IN(settings, NUM(ScenarioSettings, mcMaxInflationRate, F32)),
    IN(settings, NUM(ScenarioSettings, mcGoalAmount, F32)),
    IN(settings, NUM(ScenarioSettings, mcTrials, I16)),
    IN(settings, NUM(ScenarioSettings, mcRandomSource, I16)),
    IN(settings, NUM(ScenarioSettings, mcDistribution, I16)),
    IN(settings, NUM(ScenarioSettings, mcHideLegend, I16)),
    IN(settings, NUM(ScenarioSettings, mcRangeFactor, I16)),
    IN(settings, NUM(ScenarioSettings, mcStdDevFactor, I16)),
};

const Fields AssetAllocationFields = {
    IN(accountTable, NUM(AccountTable, assetAllocOption, I16)),
    IN(accountTable, NUM(AccountTable, assetAllocAmount, F32)),
    IN(accountTable, NUM(AccountTable, assetAllocStartAge, F32)),
};

const Fields RmdFields = {
    IN(accountTable, NUM(AccountTable, rmdOption, I16)),
    IN(accountOptions, NUM(AccountOptions, rmdPenaltyRate, F32)),
    IN(accountOptions, NUM(AccountOptions, rmdTargetAccount, I16)),
    IN(accountOptions, NUM(AccountOptions, rmdStartAge1, I32)),
    IN(accountOptions, TEXT(AccountOptions, rmdName1, 32)),
    IN(accountOptions, NUM(AccountOptions, rmdValues1, F32)),
    IN(accountOptions, NUM(AccountOptions, rmdStartAge2, I32)),
    IN(accountOptions, TEXT(AccountOptions, rmdName2, 32)),
    IN(accountOptions, NUM(AccountOptions, rmdValues2, F32)),
    IN(accountOptions, NUM(AccountOptions, rmdStartAge3, I32)),
    IN(accountOptions, TEXT(AccountOptions, rmdName3, 32)),
    IN(accountOptions, NUM(AccountOptions, rmdValues3, F32)),
};

const Fields ReportOptionsFields = {
    IN(reportOptions, TEXT(ReportOptions, title1, 60)),
    IN(reportOptions, TEXT(ReportOptions, title2, 60)),
    IN(reportOptions, TEXT(ReportOptions, title3, 60)),
    IN(reportOptions, NUM(ReportOptions, title1On, I16)),
    IN(reportOptions, NUM(ReportOptions, title2On, I16)),
    IN(reportOptions, NUM(ReportOptions, title3On, I16)),
};

const Fields BudgetFields = {
    TEXT(Budget, name, 30),
    NUM(Budget, itemCount, I16),
    NUM(Budget, startAge, I16),
    NUM(Budget, endAge, I16),
    TEXT(Budget, itemName, 21),
    NUM(Budget, itemYearly, F32),
    NUM(Budget, itemAmount, F32),
    NUM(Budget, itemYearlyCopy, F32),
    NUM(Budget, itemApplyRate, F32),
    NUM(Budget, itemMonthly, U16),
    NUM(Budget, itemApplyInflation, U16),
    NUM(Budget, reserved4F2, U16),
    NUM(Budget, itemTrack, U16),
    NUM(Budget, yearlyTotal, F32),
    NUM(Budget, active, U32),
    NUM(Budget, accountId, I32),
};

const Fields PageSettingsFields = {
    IN(pageSettings, NUM(PageSettings, windowLeft, I32)),
    IN(pageSettings, NUM(PageSettings, windowTop, I32)),
    IN(pageSettings, NUM(PageSettings, reportColumns, I32)),
    IN(pageSettings, NUM(PageSettings, colorBanding, I32)),
    IN(pageSettings, NUM(PageSettings, reportBanding, I32)),
    IN(pageSettings, NUM(PageSettings, hideMakerFolder, I32)),
    IN(pageSettings, NUM(PageSettings, reportBoxing, I32)),
    IN(pageSettings, NUM(PageSettings, defaultFonts, I32)),
    IN(pageSettings, NUM(PageSettings, defaultFonts2, I32)),
    IN(pageSettings, NUM(PageSettings, displayOption, I32)),
    IN(pageSettings, NUM(PageSettings, valueFontSpacing, F32)),
    IN(pageSettings, NUM(PageSettings, windowWidth, I32)),
    IN(pageSettings, NUM(PageSettings, windowHeight, I32)),
    IN(pageSettings, NUM(PageSettings, marginLeft, I32)),
    IN(pageSettings, NUM(PageSettings, marginTop, I32)),
    IN(pageSettings, NUM(PageSettings, marginRight, I32)),
    IN(pageSettings, NUM(PageSettings, marginBottom, I32)),
    IN(pageSettings, NUM(PageSettings, orientation, I32)),
};

const Fields FontFields = {
    NUM(FontDescription, height, I32),
    NUM(FontDescription, width, I32),
    NUM(FontDescription, escapement, I32),
    NUM(FontDescription, orientation, I32),
    NUM(FontDescription, weight, I32),
    NUM(FontDescription, italic, U8),
    NUM(FontDescription, underline, U8),
    NUM(FontDescription, strikeOut, U8),
    NUM(FontDescription, charSet, U8),
    NUM(FontDescription, outPrecision, U8),
    NUM(FontDescription, clipPrecision, U8),
    NUM(FontDescription, quality, U8),
    NUM(FontDescription, pitchAndFamily, U8),
    TEXT(FontDescription, faceName, 32),
};

// Reserved bytes of the one-of-a-kind blocks, kept apart under "reserved".
struct Section {
    const char* key;
    const Fields* fields;
};
const Fields ReservedAccountTable = {
    IN(accountTable, BYTES(AccountTable, reserved4114)),
    IN(accountTable, BYTES(AccountTable, reserved4120)),
};
const Fields ReservedSettings = {
    IN(settings, BYTES(ScenarioSettings, reserved290)),
    IN(settings, BYTES(ScenarioSettings, reserved422)),
    IN(settings, BYTES(ScenarioSettings, reserved452)),
    IN(settings, BYTES(ScenarioSettings, reserved464)),
};
const Fields ReservedReportOptions = {IN(reportOptions, BYTES(ReportOptions, reserved186))};
const Fields ReservedAccountOptions = {
    IN(accountOptions, BYTES(AccountOptions, reserved904)),
    IN(accountOptions, BYTES(AccountOptions, reserved908)),
    IN(accountOptions, BYTES(AccountOptions, reserved918)),
    IN(accountOptions, BYTES(AccountOptions, reserved1706)),
    IN(accountOptions, BYTES(AccountOptions, reserved1834)),
};
const Fields ReservedPageSettings = {IN(pageSettings, BYTES(PageSettings, reserved44))};

const std::vector<Section> ReservedSections = {
    {"accountTable", &ReservedAccountTable},
    {"settings", &ReservedSettings},
    {"reportOptions", &ReservedReportOptions},
    {"accountOptions", &ReservedAccountOptions},
    {"pageSettings", &ReservedPageSettings},
};

// The one-of-a-kind sections of the top level, in the order a dump writes them.
const std::vector<Section> BlockSections = {
    {"groups", &GroupFields},
    {"monteCarlo", &MonteCarloFields},
    {"assetAllocation", &AssetAllocationFields},
    {"rmd", &RmdFields},
    {"reportOptions", &ReportOptionsFields},
};

const char* const TopKeys[] = {"initialValues", "accounts", "events", "groups", "monteCarlo",
                               "assetAllocation", "rmd", "reportOptions", "budgets", "pageSettings",
                               "folderFonts", "nextAccountId", "unusedAccounts", "unusedOptions",
                               "reserved"};

#undef NUM
#undef TEXT
#undef BYTES
#undef IN

uint8_t* ScenarioBytes() { return reinterpret_cast<uint8_t*>(&scenario); }

// ---- bytes and text ---------------------------------------------------------

std::string ToHex(const uint8_t* p, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool FromHex(const std::string& s, uint8_t* p, size_t n) {
    if (s.size() != 2 * n) return false;
    for (size_t i = 0; i < n; ++i) {
        int hi = HexDigit(s[2 * i]), lo = HexDigit(s[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        p[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return true;
}

bool ValidUtf8(const uint8_t* p, size_t n) {
    size_t i = 0;
    while (i < n) {
        uint8_t c = p[i];
        size_t more;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xc2 && c <= 0xdf) {
            more = 1, cp = c & 0x1fu;
        } else if (c >= 0xe0 && c <= 0xef) {
            more = 2, cp = c & 0x0fu;
        } else if (c >= 0xf0 && c <= 0xf4) {
            more = 3, cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + more >= n) return false;
        for (size_t k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xc0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3fu);
        }
        // No overlong forms, no surrogates, nothing past the last code point.
        if ((more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000) || cp > 0x10ffff ||
            (cp >= 0xd800 && cp <= 0xdfff))
            return false;
        i += more + 1;
    }
    return true;
}

// Clean text: UTF-8 up to a NUL, and nothing but NULs after it.
bool CleanText(const uint8_t* p, size_t n) {
    const void* nul = std::memchr(p, 0, n);
    if (!nul) return false;
    size_t len = static_cast<size_t>(static_cast<const uint8_t*>(nul) - p);
    for (size_t i = len; i < n; ++i)
        if (p[i] != 0) return false;
    return ValidUtf8(p, len);
}

Json HexObject(const uint8_t* p, size_t n) {
    Json o = Json::object();
    o["hex"] = ToHex(p, n);
    return o;
}

bool IsHexObject(const Json& v) { return v.is_object() && v.size() == 1 && v.contains("hex"); }

// ---- JSON to and from one field -----------------------------------------------

template <typename T>
T Load(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

Json ElementToJson(const uint8_t* p, Kind kind, size_t n) {
    switch (kind) {
    case Kind::U8: return Load<uint8_t>(p);
    case Kind::I16: return Load<int16_t>(p);
    case Kind::U16: return Load<uint16_t>(p);
    case Kind::I32: return Load<int32_t>(p);
    case Kind::U32: return Load<uint32_t>(p);
    case Kind::F32: {
        float v = Load<float>(p);
        if (!std::isfinite(v)) return HexObject(p, 4);
        return static_cast<double>(v);
    }
    case Kind::Text:
        if (!CleanText(p, n)) return HexObject(p, n);
        return std::string(reinterpret_cast<const char*>(p));
    case Kind::Bytes: return ToHex(p, n);
    }
    return nullptr;
}

std::string Key(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
}
std::string Index(const std::string& path, size_t i) { return path + "[" + std::to_string(i) + "]"; }

int Fail(std::string& error, const std::string& key, const std::string& what) {
    error = key + ": " + what;
    return 0;
}

// A whole number from a JSON number (or true/false), within [low, high].
int WholeNumber(const Json& v, long long low, long long high, long long& out, const std::string& key,
                std::string& error) {
    bool inRange = true;
    if (v.is_boolean()) {
        out = v.get<bool>() ? 1 : 0;
    } else if (v.is_number_unsigned()) {
        uint64_t u = v.get<uint64_t>();
        inRange = u <= static_cast<uint64_t>(high);
        out = inRange ? static_cast<long long>(u) : 0;
    } else if (v.is_number_integer()) {
        out = v.get<int64_t>();
    } else if (v.is_number_float()) {
        double d = v.get<double>();
        if (d != std::floor(d)) return Fail(error, key, "expected a whole number");
        inRange = d >= static_cast<double>(low) && d <= static_cast<double>(high);
        out = inRange ? static_cast<long long>(d) : 0;
    } else {
        return Fail(error, key, "expected a whole number");
    }
    if (inRange && out >= low && out <= high) return 1;
    return Fail(error, key, "out of range (" + std::to_string(low) + " .. " + std::to_string(high) + ")");
}

template <typename T>
int StoreWhole(uint8_t* p, const Json& v, const std::string& key, std::string& error) {
    long long w = 0;
    if (!WholeNumber(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), w, key, error)) return 0;
    T x = static_cast<T>(w);
    std::memcpy(p, &x, sizeof x);
    return 1;
}

int ElementFromJson(uint8_t* p, Kind kind, size_t n, const Json& v, const std::string& key,
                    std::string& error) {
    if (kind == Kind::Bytes) {
        if (!v.is_string() || !FromHex(v.get<std::string>(), p, n))
            return Fail(error, key, "expected " + std::to_string(2 * n) + " hex digits");
        return 1;
    }
    if (v.is_object()) {
        const Json* hex = IsHexObject(v) ? &v["hex"] : nullptr;
        if (!hex || !hex->is_string() || !FromHex(hex->get<std::string>(), p, n))
            return Fail(error, key,
                        "an object here must be {\"hex\": ...} with " + std::to_string(2 * n) + " hex digits");
        return 1;
    }
    switch (kind) {
    case Kind::U8: return StoreWhole<uint8_t>(p, v, key, error);
    case Kind::I16: return StoreWhole<int16_t>(p, v, key, error);
    case Kind::U16: return StoreWhole<uint16_t>(p, v, key, error);
    case Kind::I32: return StoreWhole<int32_t>(p, v, key, error);
    case Kind::U32: return StoreWhole<uint32_t>(p, v, key, error);
    case Kind::F32: {
        if (!v.is_number()) return Fail(error, key, "expected a number");
        double d = v.get<double>();
        // Anything from here on would round to infinity.
        const double limit = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
        if (!(std::fabs(d) < limit)) return Fail(error, key, "out of range for a single-precision number");
        float x = static_cast<float>(d);
        std::memcpy(p, &x, 4);
        return 1;
    }
    case Kind::Text: {
        if (!v.is_string()) return Fail(error, key, "expected a text");
        const std::string& s = v.get_ref<const std::string&>();
        if (s.size() > n - 1)
            return Fail(error, key, "longer than " + std::to_string(n - 1) + " bytes");
        std::memset(p, 0, n);
        std::memcpy(p, s.data(), s.size());
        return 1;
    }
    case Kind::Bytes: break;
    }
    return 1;
}

Json MemberToJson(const uint8_t* base, const Field& f) {
    const uint8_t* p = base + f.offset;
    if (f.Count() == 1) return ElementToJson(p, f.kind, f.element);
    Json a = Json::array();
    for (size_t j = 0; j < f.Count(); ++j) a.push_back(ElementToJson(p + j * f.element, f.kind, f.element));
    return a;
}

int MemberFromJson(uint8_t* base, const Field& f, const Json& v, const std::string& key, std::string& error) {
    uint8_t* p = base + f.offset;
    if (f.Count() == 1) return ElementFromJson(p, f.kind, f.element, v, key, error);
    if (!v.is_array()) return Fail(error, key, "expected a list of up to " + std::to_string(f.Count()));
    if (v.size() > f.Count()) return Fail(error, key, "more than " + std::to_string(f.Count()) + " entries");
    for (size_t j = 0; j < v.size(); ++j)
        if (!ElementFromJson(p + j * f.element, f.kind, f.element, v[j], Index(key, j), error)) return 0;
    return 1;
}

// ---- objects ------------------------------------------------------------------

Json ObjectToJson(const uint8_t* base, const Fields& fields) {
    Json o = Json::object();
    for (const Field& f : fields) o[f.name] = MemberToJson(base, f);
    return o;
}

// One element of each per-account array, at `slot`.
void AddSlotFields(Json& o, int slot) {
    for (const Field& f : SlotFields)
        o[f.name] = ElementToJson(ScenarioBytes() + f.offset + static_cast<size_t>(slot) * f.element, f.kind,
                                  f.element);
}

bool Known(const std::string& key, std::initializer_list<const Fields*> tables,
           std::initializer_list<const char*> extra) {
    for (const Fields* t : tables)
        for (const Field& f : *t)
            if (key == f.name) return true;
    for (const char* e : extra)
        if (key == e) return true;
    return false;
}

// `v` must be an object whose keys all name fields of `tables` (or `extra`).
int CheckKeys(const Json& v, std::initializer_list<const Fields*> tables, std::initializer_list<const char*> extra,
              const std::string& path, std::string& error) {
    if (!v.is_object()) return Fail(error, path, "expected an object");
    for (auto it = v.begin(); it != v.end(); ++it)
        if (!Known(it.key(), tables, extra)) return Fail(error, Key(path, it.key()), "unknown key");
    return 1;
}

// Stores every key of `v` that `fields` knows; other keys are left alone.
int ApplyFields(uint8_t* base, const Fields& fields, const Json& v, const std::string& path, std::string& error) {
    for (const Field& f : fields) {
        auto it = v.find(f.name);
        if (it != v.end() && !MemberFromJson(base, f, *it, Key(path, f.name), error)) return 0;
    }
    return 1;
}

int ApplySection(uint8_t* base, const Fields& fields, const Json& v, const std::string& path, std::string& error) {
    return CheckKeys(v, {&fields}, {}, path, error) && ApplyFields(base, fields, v, path, error);
}

int ApplySlotFields(int slot, const Json& v, const std::string& path, std::string& error) {
    for (const Field& f : SlotFields) {
        auto it = v.find(f.name);
        if (it == v.end()) continue;
        std::string key = Key(path, f.name);
        if (slot < 0 || slot >= MaxAccounts)
            return Fail(error, key, "optionsSlot " + std::to_string(slot) + " has no options (0 .. 49)");
        uint8_t* p = ScenarioBytes() + f.offset + static_cast<size_t>(slot) * f.element;
        if (!ElementFromJson(p, f.kind, f.element, *it, key, error)) return 0;
    }
    return 1;
}

// A list of records of one kind, at most `limit` of them, each stored by `apply`.
template <typename Apply>
int ApplyList(const Json& root, const char* key, size_t limit, Apply apply, std::string& error) {
    auto it = root.find(key);
    if (it == root.end()) return 1;
    if (!it->is_array()) return Fail(error, key, "expected a list");
    if (it->size() > limit) return Fail(error, key, "more than " + std::to_string(limit) + " entries");
    for (size_t i = 0; i < it->size(); ++i)
        if (!apply(i, (*it)[i], Index(key, i))) return 0;
    return 1;
}

int Clamp(int v, int high) { return v < 0 ? 0 : (v > high ? high : v); }


int SlotOf(int position) {
    uint16_t slot = scenario.accountTable.accounts[position].optionsSlot;
    return slot;
}

uint8_t* RecordBytes(void* record) { return static_cast<uint8_t*>(record); }

// Live accounts in order; ids that are not given are assigned as an account
// added by hand would get them. Their per-account options come later, once
// the options of the other slots are in place.
int ApplyAccounts(const Json& root, std::vector<bool>& idGiven, std::string& error) {
    AccountTable& t = scenario.accountTable;
    return ApplyList(root, "accounts", MaxAccounts, [&](size_t i, const Json& v, const std::string& path) {
        if (!CheckKeys(v, {&AccountFields, &SlotFields}, {}, path, error)) return 0;
        if (!ApplyFields(RecordBytes(&t.accounts[i]), AccountFields, v, path, error)) return 0;
        t.accountCount = static_cast<int16_t>(i);
        idGiven.push_back(v.contains("accountId"));
        if (idGiven.back())
            t.accountCount = static_cast<int16_t>(i + 1);
        else
            AssignAccountId(static_cast<int>(i));
        return 1;
    }, error);
}

// An id written in the file must not be one handed out to an account that
// had none: the two would be the same account to every event.
int CheckAssignedIds(const std::vector<bool>& idGiven, std::string& error) {
    const Account* a = scenario.accountTable.accounts;
    for (size_t i = 0; i < idGiven.size(); ++i) {
        if (idGiven[i]) continue;
        uint16_t assigned = a[i].accountId;
        for (size_t j = 0; j < idGiven.size(); ++j) {
            uint16_t given = a[j].accountId;
            if (idGiven[j] && given == assigned)
                return Fail(error, Index("accounts", j) + ".accountId",
                            std::to_string(given) + " is also the id assigned to accounts[" + std::to_string(i) +
                                "], which has none; give it an accountId too");
        }
    }
    return 1;
}

int ApplyRoot(const Json& root, std::string& error) {
    if (!root.is_object()) return Fail(error, "(top level)", "expected an object");
    for (auto it = root.begin(); it != root.end(); ++it) {
        bool known = false;
        for (const char* k : TopKeys) known = known || it.key() == k;
        if (!known) return Fail(error, it.key(), "unknown key");
    }

    std::memset(&scenario, 0, sizeof scenario);
    NewScenarioByHand();
    uint8_t* s = ScenarioBytes();

    if (root.contains("initialValues") &&
        !ApplySection(s, InitialValuesFields, root["initialValues"], "initialValues", error))
        return 0;
    for (const Section& sec : BlockSections)
        if (root.contains(sec.key) && !ApplySection(s, *sec.fields, root[sec.key], sec.key, error)) return 0;
    if (root.contains("pageSettings") &&
        !ApplySection(s, PageSettingsFields, root["pageSettings"], "pageSettings", error))
        return 0;
    if (root.contains("reserved")) {
        const Json& r = root["reserved"];
        if (!r.is_object()) return Fail(error, "reserved", "expected an object");
        for (auto it = r.begin(); it != r.end(); ++it) {
            const Section* sec = nullptr;
            for (const Section& c : ReservedSections)
                if (it.key() == c.key) sec = &c;
            if (!sec) return Fail(error, Key("reserved", it.key()), "unknown key");
            if (!ApplySection(s, *sec->fields, it.value(), Key("reserved", it.key()), error)) return 0;
        }
    }

    auto record = [&](const Fields& fields, auto* records) {
        return [&fields, records, &error](size_t i, const Json& v, const std::string& path) {
            return ApplySection(RecordBytes(&records[i]), fields, v, path, error);
        };
    };
    if (!ApplyList(root, "folderFonts", 3, record(FontFields, scenario.folderFonts), error)) return 0;
    if (!ApplyList(root, "budgets", MaxBudgets, record(BudgetFields, scenario.budgets), error)) return 0;
    if (!ApplyList(root, "events", MaxEvents, record(EventFields, scenario.events), error)) return 0;
    int events = root.contains("events") ? static_cast<int>(root["events"].size()) : 0;
    scenario.initialValues.eventCount = static_cast<int16_t>(events);
    state.eventCount = events;

    // Written, it is where the search for the first missing id starts.
    if (root.contains("nextAccountId") &&
        !ElementFromJson(s + offsetof(Scenario, accountTable) + offsetof(AccountTable, nextAccountId), Kind::U32,
                         4, root["nextAccountId"], "nextAccountId", error))
        return 0;
    std::vector<bool> idGiven;
    if (!ApplyAccounts(root, idGiven, error)) return 0;
    int live = LiveAccountCount();
    Account* accounts = scenario.accountTable.accounts + live;
    if (!ApplyList(root, "unusedAccounts", static_cast<size_t>(MaxAccounts - live),
                   record(AccountFields, accounts), error))
        return 0;
    if (!ApplyList(root, "unusedOptions", MaxAccounts, [&](size_t, const Json& v, const std::string& path) {
            if (!CheckKeys(v, {&SlotFields}, {"optionsSlot"}, path, error)) return 0;
            long long slot = 0;
            if (!v.contains("optionsSlot")) return Fail(error, Key(path, "optionsSlot"), "missing");
            if (!WholeNumber(v["optionsSlot"], 0, MaxAccounts - 1, slot, Key(path, "optionsSlot"), error)) return 0;
            return ApplySlotFields(static_cast<int>(slot), v, path, error);
        }, error))
        return 0;
    if (root.contains("accounts")) {
        const Json& list = root["accounts"];
        for (size_t i = 0; i < list.size(); ++i)
            if (!ApplySlotFields(SlotOf(static_cast<int>(i)), list[i], Index("accounts", i), error)) return 0;
    }
    return CheckAssignedIds(idGiven, error);
}

// ---- printing -----------------------------------------------------------------

// A float as the shortest text that reads back as the same float; doubles
// that are not floats keep nlohmann's own form.
std::string NumberText(const Json& v) {
    if (!v.is_number_float()) return v.dump();
    double d = v.get<double>();
    float f = static_cast<float>(d);
    if (static_cast<double>(f) != d) return v.dump();
    if (f == 0 && std::signbit(f)) return "-0.0";
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, f).ptr;
    double back = 0;
    std::from_chars(buf, end, back);
    if (static_cast<float>(back) != f) return v.dump();
    return std::string(buf, end);
}

std::string ScalarText(const Json& v) { return v.is_number() ? NumberText(v) : v.dump(); }

// Containers of plain values go on one line (objects only when short).
bool OneLine(const Json& v, std::string& line) {
    for (const auto& child : v)
        if (child.is_structured()) return false;
    bool object = v.is_object();
    line = object ? "{" : "[";
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (!first) line += ", ";
        first = false;
        if (object) line += Json(it.key()).dump() + ": ";
        line += ScalarText(it.value());
    }
    line += object ? "}" : "]";
    return !object || line.size() <= 100 || IsHexObject(v);
}

void Print(const Json& v, size_t indent, std::string& out) {
    std::string line;
    if (!v.is_structured()) {
        out += ScalarText(v);
        return;
    }
    if (OneLine(v, line)) {
        out += line;
        return;
    }
    bool object = v.is_object();
    out += object ? "{\n" : "[\n";
    size_t i = 0;
    for (auto it = v.begin(); it != v.end(); ++it, ++i) {
        out.append(indent + 2, ' ');
        if (object) out += Json(it.key()).dump() + ": ";
        Print(it.value(), indent + 2, out);
        if (i + 1 < v.size()) out += ',';
        out += '\n';
    }
    out.append(indent, ' ');
    out += object ? '}' : ']';
}

}  // namespace

int ScenarioFromJson(const std::string& text, std::string& error) {
    static Scenario kept;
    kept = scenario;
    ScenarioState keptState = state;
    int ok = 0;
    Json root;
    try {
        root = Json::parse(text);
        ok = 1;
    } catch (const Json::exception& e) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
        std::string what = e.what();
        size_t cut = what.find("] ");
        error = "not valid JSON: " + (cut == std::string::npos ? what : what.substr(cut + 2));
    }
    try {
        ok = ok && ApplyRoot(root, error);
    } catch (const std::exception& e) {
        error = e.what();
        ok = 0;
    }
    if (!ok) {
        scenario = kept;
        state = keptState;
    }
    return ok;
}

std::string ScenarioToJson() {
    uint8_t* s = ScenarioBytes();
    Json root = Json::object();
    root["initialValues"] = ObjectToJson(s, InitialValuesFields);

    int live = LiveAccountCount();
    bool slotUsed[MaxAccounts] = {};
    Json accounts = Json::array();
    for (int i = 0; i < live; ++i) {
        Json a = ObjectToJson(RecordBytes(&scenario.accountTable.accounts[i]), AccountFields);
        int slot = SlotOf(i);
        if (slot < MaxAccounts) {
            AddSlotFields(a, slot);
            slotUsed[slot] = true;
        }
        accounts.push_back(a);
    }
    root["accounts"] = accounts;

    Json events = Json::array();
    for (int i = 0; i < Clamp(state.eventCount, MaxEvents); ++i)
        events.push_back(ObjectToJson(RecordBytes(&scenario.events[i]), EventFields));
    root["events"] = events;

    for (const Section& sec : BlockSections) root[sec.key] = ObjectToJson(s, *sec.fields);
    Json budgets = Json::array();
    for (Budget& b : scenario.budgets) budgets.push_back(ObjectToJson(RecordBytes(&b), BudgetFields));
    root["budgets"] = budgets;
    root["pageSettings"] = ObjectToJson(s, PageSettingsFields);
    Json fonts = Json::array();
    for (FontDescription& f : scenario.folderFonts) fonts.push_back(ObjectToJson(RecordBytes(&f), FontFields));
    root["folderFonts"] = fonts;

    // What a small file need not mention: the id counter, the records and
    // options no live account uses, and the reserved bytes.
    uint32_t next = scenario.accountTable.nextAccountId;
    root["nextAccountId"] = next;
    Json unusedAccounts = Json::array();
    for (int i = live; i < MaxAccounts; ++i)
        unusedAccounts.push_back(ObjectToJson(RecordBytes(&scenario.accountTable.accounts[i]), AccountFields));
    root["unusedAccounts"] = unusedAccounts;
    Json unusedOptions = Json::array();
    for (int slot = 0; slot < MaxAccounts; ++slot) {
        if (slotUsed[slot]) continue;
        Json o = Json::object();
        o["optionsSlot"] = slot;
        AddSlotFields(o, slot);
        unusedOptions.push_back(o);
    }
    root["unusedOptions"] = unusedOptions;
    Json reserved = Json::object();
    for (const Section& sec : ReservedSections) reserved[sec.key] = ObjectToJson(s, *sec.fields);
    root["reserved"] = reserved;

    std::string out;
    Print(root, 0, out);
    out += '\n';
    return out;
}

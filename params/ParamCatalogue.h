#pragma once
// The relay's configuration catalogue as plain constant data: the holding
// registers 150 to 230 in 20 groups, with their names, kinds, factory values,
// ranges and the software versions that have them. Headless, no Qt types; the
// relay simulator and the parameters dialog both build from this table.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace relvo7::params {

enum class ParamKind { Integer, OneDecimal };

// Which device software versions have a group or an entry. Versions are
// compared as unsigned numbers.
enum class VersionRule { All, UpTo12, From13, From20, From21, UpTo20 };

bool versionHas(VersionRule rule, unsigned version);

struct ParamGroup {
    int number;                 // 1..20, in build order
    const char16_t* name;
    VersionRule versions;
};

struct ParamEntry {
    int group;                  // ParamGroup::number
    int reg;                    // holding register; also the key in parameter files
    const char16_t* name;       // display code, " : ", name and unit
    ParamKind kind;
    int defaultValue;           // factory value in register units (tenths for one-decimal)
    int min, max;               // inclusive bounds in register units
    bool editable;              // false: shown greyed, never written to the relay
    VersionRule versions;
    bool versionIsValue;        // register 217: default, min and max are the version itself
    const char16_t* description;
};

inline constexpr std::size_t kParamGroupCount = 20;
inline constexpr std::size_t kParamEntryCount = 89; // 81 registers + 8 version alternatives
inline constexpr int kFirstParamRegister = 150;
inline constexpr int kLastParamRegister = 230;
inline constexpr int kVersionRegister = 217;
inline constexpr int kStepRegister = 201;   // the only item whose values go in steps of 5
inline constexpr int kStepSize = 5;

extern const char16_t* const kProtectionModeText;
extern const ParamGroup kParamGroups[kParamGroupCount];
extern const ParamEntry kParamEntries[kParamEntryCount]; // grouped, in build order

// One entry as it stands for a given version: register 217's version rule
// applied (default = min = max = version).
struct VersionedEntry {
    const ParamGroup* group;
    const ParamEntry* entry;
    int defaultValue;
    int min, max;
    bool editable;
};

// Groups that a version builds, in build order.
std::vector<const ParamGroup*> groupsForVersion(unsigned version);
// Entries that a version builds, in build order (group by group).
std::vector<VersionedEntry> entriesForVersion(unsigned version);
// The entries of one group for a version, in build order.
std::vector<VersionedEntry> entriesOfGroup(const ParamGroup& group, unsigned version);
// The entry of a register under a version, if that version has the register.
std::optional<VersionedEntry> findEntry(unsigned version, int reg);

// Register value -> the item's signed value (registers are 16-bit on the
// wire; register 194 and 198 carry negative corrections).
inline int registerToSigned(uint16_t raw) { return static_cast<int16_t>(raw); }

// Checks a value the relay is asked to store in a configuration register.
enum class WriteCheck { Ok, NotInCatalogue, Disabled, OutOfRange, BreaksStep };
WriteCheck checkWrite(unsigned version, int reg, int value);

// Factory register values of a version, as (register, value) pairs in build order.
struct RegisterValue { int reg; int value; };
std::vector<RegisterValue> factoryValues(unsigned version);

} // namespace relvo7::params

#include "ParamCatalogue.h"

namespace relvo7::params {

bool versionHas(VersionRule rule, unsigned version)
{
    switch (rule) {
    case VersionRule::All: return true;
    case VersionRule::UpTo12: return version <= 12;
    case VersionRule::From13: return version >= 13;
    case VersionRule::From20: return version >= 20;
    case VersionRule::From21: return version >= 21;
    case VersionRule::UpTo20: return version <= 20;
    }
    return false;
}

static VersionedEntry resolve(const ParamGroup& group, const ParamEntry& e, unsigned version)
{
    VersionedEntry v{&group, &e, e.defaultValue, e.min, e.max, e.editable};
    if (e.versionIsValue) {
        const int shown = static_cast<int>(version);
        v.defaultValue = v.min = v.max = shown;
    }
    return v;
}

std::vector<const ParamGroup*> groupsForVersion(unsigned version)
{
    std::vector<const ParamGroup*> out;
    for (const ParamGroup& g : kParamGroups)
        if (versionHas(g.versions, version))
            out.push_back(&g);
    return out;
}

std::vector<VersionedEntry> entriesOfGroup(const ParamGroup& group, unsigned version)
{
    std::vector<VersionedEntry> out;
    if (!versionHas(group.versions, version))
        return out;
    for (const ParamEntry& e : kParamEntries)
        if (e.group == group.number && versionHas(e.versions, version))
            out.push_back(resolve(group, e, version));
    return out;
}

std::vector<VersionedEntry> entriesForVersion(unsigned version)
{
    std::vector<VersionedEntry> out;
    for (const ParamGroup* g : groupsForVersion(version)) {
        auto part = entriesOfGroup(*g, version);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::optional<VersionedEntry> findEntry(unsigned version, int reg)
{
    for (const ParamGroup& g : kParamGroups) {
        if (!versionHas(g.versions, version))
            continue;
        for (const ParamEntry& e : kParamEntries)
            if (e.group == g.number && e.reg == reg && versionHas(e.versions, version))
                return resolve(g, e, version);
    }
    return std::nullopt;
}

WriteCheck checkWrite(unsigned version, int reg, int value)
{
    const auto entry = findEntry(version, reg);
    if (!entry)
        return WriteCheck::NotInCatalogue;
    if (!entry->editable)
        return WriteCheck::Disabled;
    if (reg == kStepRegister && value > 0 && value % kStepSize != 0)
        return WriteCheck::BreaksStep;
    if (value < entry->min || value > entry->max)
        return WriteCheck::OutOfRange;
    return WriteCheck::Ok;
}

std::vector<RegisterValue> factoryValues(unsigned version)
{
    std::vector<RegisterValue> out;
    for (const VersionedEntry& v : entriesForVersion(version))
        out.push_back({v.entry->reg, v.defaultValue});
    return out;
}

} // namespace relvo7::params

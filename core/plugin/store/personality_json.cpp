// The personality's JSON form: the document around the objects, whose members are listed
// once in item_fields.h.
#include "plugin/store/personality_json.h"

#include <cstring>
#include <tuple>

#include "plugin/store/item_fields.h"
#include "plugin/store/json_fields.h"
#include "plugin/store/options.h"

namespace tw {
namespace {

using json::FieldReader;
using json::FieldWriter;
using json::Value;
using namespace members;

// Every option class, in the order `save` writes them.
using OptionClasses =
    std::tuple<CAlarmOpts, CAlertOpts, CConvScanOpts, CDataOpts, CDisplayOpts, CExtSpkrOpts,
               CKeypadCtrlOpts, CPubAddOpts, CSupervisoryOpts, CTimerOpts, CDTMFOpts, CNavlocOpts,
               CClearvoxOpts, CScanOpts, CSystemScanOpts, CPowerUpOpts, CGenRadioOpts, CAgencyData,
               CTelpageOpts, CScratchPadOpts, CKeypadCtrlOpts_N2, CTrvMenu, CTrwFlexKeys,
               CDualsetOpts, CRciKeypad, CRciSystemGroup, CType61Opts, CVsOpts, CStatus, CMessage,
               CImageExtras>;

template <class F>
void forEachOptionClass(F f) {
    std::apply([&](auto... tag) { (f(tag), ...); }, OptionClasses{});
}

template <class S, class V>
void setFields(V& v, CSet& set) {
    fields(v, static_cast<S&>(set));
}

template <class V>
void anySetFields(V& v, CSet& set) {
    switch (set.Type()) {
        case kTrunkSetType:
            return setFields<CTrunkSet>(v, set);
        case kConvSetType:
            return setFields<CConvSet>(v, set);
        case kGroupSetType:
            return setFields<CGroupSet>(v, set);
        case kSpCallSetType:
            return setFields<CSpCallSet>(v, set);
        case kTpgGroupSetType:
            return setFields<CTpgGroupSet>(v, set);
        default:
            return setFields<CTpgSpCallSet>(v, set);
    }
}

template <class V>
void anySystemFields(V& v, CSystem& s) {
    switch (s.Kind()) {
        case SystemKind::Conventional:
            return fields(v, static_cast<CConvSystem&>(s));
        case SystemKind::Trunked:
            return fields(v, static_cast<CTrunkSystem&>(s));
        case SystemKind::Telpage:
            return fields(v, static_cast<CTpgSystem&>(s));
    }
}

std::unique_ptr<CSet> makeSet(int type) {
    switch (type) {
        case kTrunkSetType:
            return std::make_unique<CTrunkSet>();
        case kConvSetType:
            return std::make_unique<CConvSet>();
        case kGroupSetType:
            return std::make_unique<CGroupSet>();
        case kSpCallSetType:
            return std::make_unique<CSpCallSet>();
        case kTpgGroupSetType:
            return std::make_unique<CTpgGroupSet>();
        default:
            return std::make_unique<CTpgSpCallSet>();
    }
}

std::unique_ptr<CSystem> makeSystem(const std::string& kind) {
    if (kind == "conventional") return std::make_unique<CConvSystem>();
    if (kind == "trunked") return std::make_unique<CTrunkSystem>();
    if (kind == "telpage") return std::make_unique<CTpgSystem>();
    return nullptr;
}

std::string typeText(std::uint16_t type) {
    return type == 0 ? std::string() : std::string(1, static_cast<char>(type));
}

}  // namespace

json::Value personalityToJsonValue(const CPersonality& constP) {
    auto& p = const_cast<CPersonality&>(constP);  // the writer only reads
    Value root = Value::makeObject();
    FieldWriter w(root);
    int format = kPersonalityJsonFormat;
    w.integer("format", format, 0, 0);
    std::string name = p.GetName();
    w.text("name", name);
    std::string type = typeText(p.radioType);
    w.text("type", type);
    reals(w, "bandLimits", p.bandLimits, 0, kMaxMHz);
    Value& systems = root.add("systems", Value::makeArray());
    for (const auto& s : p.Systems()) {
        FieldWriter sw(systems.items.emplace_back(Value::makeObject()));
        std::string kind = systemKindName(s->Kind()), sysName = s->GetName();
        sw.text("kind", kind);
        sw.text("name", sysName);
        anySystemFields(sw, *s);
    }
    w.object("sets", [&](FieldWriter& sets) {
        for (int t = 0; t < kSetTypeCount; ++t) {
            Value list = Value::makeArray();
            for (int i = 0; i < p.GetSetCount(t); ++i) {
                CSet& set = *p.GetSetAt(i, t);
                FieldWriter one(list.items.emplace_back(Value::makeObject()));
                std::string setName = set.GetName();
                one.text("name", setName);
                anySetFields(one, set);
            }
            sets.raw(kSetJsonKeys[t], std::move(list));
        }
    });
    w.object("options", [&](FieldWriter& options) {
        forEachOptionClass([&](auto tag) {
            using T = decltype(tag);
            if (auto* o = p.GetOption<T>())
                options.object(T::kClassTag, [&](FieldWriter& ow) { fields(ow, *o); });
        });
    });
    return root;
}

std::string personalityToJson(const CPersonality& personality) {
    return json::write(personalityToJsonValue(personality));
}

bool personalityFromJsonValue(const json::Value& value, CPersonality& out, std::string& error) {
    error.clear();
    CPersonality p;
    FieldReader r(value, "", error);
    int format = -1;
    r.integer("format", format, 0, 1000000);
    if (r.ok() && format != kPersonalityJsonFormat)
        r.fail("/format", format < 0 ? "missing: this is no personality file"
                                     : "format " + std::to_string(format) + " is not " +
                                           std::to_string(kPersonalityJsonFormat));
    std::string name, type;
    r.text("name", name);
    p.SetName(name);
    r.text("type", type);
    if (r.ok() && (type.size() > 1 || (type.size() == 1 && (type[0] < 'A' || type[0] > 'Z'))))
        r.fail("/type", "expected one letter A to Z");
    if (type.size() == 1) p.radioType = static_cast<std::uint16_t>(type[0]);
    reals(r, "bandLimits", p.bandLimits, 0, kMaxMHz);

    if (const Value* systems = r.take("systems", Value::Kind::Array)) {
        for (std::size_t i = 0; i < systems->items.size() && r.ok(); ++i) {
            FieldReader sr(systems->items[i], "/systems/" + std::to_string(i), error);
            std::string kind, sysName;
            sr.text("kind", kind);
            auto system = makeSystem(kind);
            if (!system) {
                sr.fail(sr.at("kind"), "expected \"conventional\", \"trunked\" or \"telpage\"");
                break;
            }
            sr.text("name", sysName);
            system->SetName(sysName);
            anySystemFields(sr, *system);
            sr.finish();
            p.AddSystem(std::move(system));
        }
    }
    r.object("sets", [&](FieldReader& sets) {
        for (int t = 0; t < kSetTypeCount && sets.ok(); ++t) {
            const Value* list = sets.take(kSetJsonKeys[t], Value::Kind::Array);
            for (std::size_t i = 0; list && i < list->items.size() && sets.ok(); ++i) {
                FieldReader one(list->items[i], sets.at(kSetJsonKeys[t]) + "/" + std::to_string(i),
                                error);
                auto set = makeSet(t);
                std::string setName;
                one.text("name", setName);
                set->SetName(setName);
                anySetFields(one, *set);
                one.finish();
                p.AddSet(std::move(set), t);
            }
        }
    });
    r.object("options", [&](FieldReader& options) {
        for (const std::string& key : options.keys()) {
            bool known = false;
            forEachOptionClass([&](auto tag) {
                using T = decltype(tag);
                if (key != T::kClassTag || !options.ok()) return;
                known = true;
                auto option = std::make_unique<T>();
                options.object(T::kClassTag, [&](FieldReader& o) { fields(o, *option); });
                p.PutOption(std::move(option));
            });
            if (!known) return options.fail(options.at(key), "unknown option class");
        }
    });
    r.finish();
    if (!r.ok() || !checkPersonalityReferences(p, error)) return false;
    out = std::move(p);
    return true;
}

bool personalityFromJson(std::string_view text, CPersonality& out, std::string& error) {
    const auto value = json::parse(text, error);
    return value && personalityFromJsonValue(*value, out, error);
}

}  // namespace tw

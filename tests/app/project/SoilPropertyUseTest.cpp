// Which soil properties a project uses: shown and enabled in the layer properties
// window, shown as a column of the soil tables, kept by the project file. Each case
// is a project (methods, offshore setting, pile type) and, per soil type, one code per
// property column in column order: S shown, E enabled, T table column shown, K kept
// in the file; "-" where not.
#include "DataUnit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldo::test {
namespace {

struct TUseCase {
    const char* name;
    int selected;
    std::vector<int> ticked;
    int offshore;
    int pileType;
    // sand: unit weight, friction angle, blow count, Ko, Nq, Qc, user skin, user bearing
    const char* sand;
    // clay: unit weight, undrained, remolded, PI, YSR, Qc, user skin, user bearing, adhesion
    const char* clay;
    // silt: unit weight, friction angle, blow count, Ko, undrained, user skin, user bearing
    const char* silt;
};

constexpr const char* kSiltUse = "SETK SETK SETK SETK SETK ---- ----";

const std::vector<TUseCase> kCases{
    // One method ticked, and selected for the load settlement; offshore methods on, steel pipe.
    {"FHWA",
     Method::Fhwa,
     {Method::Fhwa},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K",
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K SETK",
     kSiltUse},
    {"USACE",
     Method::Usace,
     {Method::Usace},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK SETK S-TK S-TK S--K S--K",
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K -ETK",
     kSiltUse},
    {"Revised Lambda",
     Method::RevisedLambda,
     {Method::RevisedLambda},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK SETK S-TK S-TK S--K S--K",
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K -ETK",
     kSiltUse},
    {"API RP 2A",
     Method::ApiRp2a,
     {Method::ApiRp2a},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK SETK SETK S-TK S--K S--K",
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K -ETK",
     kSiltUse},
    {"User",
     Method::General,
     {Method::General},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK S-TK SETK SETK",
     "SETK SETK SETK S-TK S-TK S-TK SETK SETK -ETK",
     kSiltUse},
    {"NGI",
     Method::Ngi,
     {Method::Ngi},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK SETK S--K S--K",
     "SETK SETK SETK S-TK S-TK SETK S--K S--K -ETK",
     kSiltUse},
    {"ICP/MTD",
     Method::IcpMtd,
     {Method::IcpMtd},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK SETK S--K S--K",
     "SETK SETK SETK SETK SETK SETK S--K S--K -ETK",
     kSiltUse},
    {"Fugro",
     Method::Fugro,
     {Method::Fugro},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK SETK S--K S--K",
     "SETK SETK SETK S-TK S-TK SETK S--K S--K -ETK",
     kSiltUse},
    {"UWA",
     Method::Uwa,
     {Method::Uwa},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK SETK S--K S--K",
     "SETK SETK SETK S-TK S-TK SETK S--K S--K -ETK",
     kSiltUse},
    // The user method ticked for capacity but not selected: the window lets the user
    // values be edited, the tables hide them, the file keeps them.
    {"User ticked, API selected",
     Method::ApiRp2a,
     {Method::ApiRp2a, Method::General},
     Flag::On,
     PileType::SteelPipe,
     "SETK SETK SETK SETK SETK S-TK SE-K SE-K",
     "SETK SETK SETK S-TK S-TK S-TK SE-K SE-K -ETK",
     kSiltUse},
    // Without the offshore methods the cone resistance, PI and YSR are hidden; the
    // remolded strength of a concrete pile is then of no use.
    {"No offshore, concrete pile",
     Method::ApiRp2a,
     {Method::ApiRp2a},
     Flag::Off,
     PileType::PrecastConcrete,
     "SETK SETK SETK SETK SETK ---K S--K S--K",
     "SETK SETK S-TK ---K ---K ---K S--K S--K -ETK",
     kSiltUse},
    {"No offshore, steel pipe",
     Method::Fhwa,
     {Method::Fhwa, Method::IcpMtd},
     Flag::Off,
     PileType::SteelPipe,
     "SETK SETK SETK S-TK S-TK -E-K S--K S--K",
     "SETK SETK SETK -E-K -E-K -E-K S--K S--K SETK",
     kSiltUse},
    {"Offshore, timber pile",
     Method::Fhwa,
     {Method::Fhwa},
     Flag::On,
     PileType::Timber,
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K",
     "SETK SETK SETK S-TK S-TK S-TK S--K S--K SETK",
     kSiltUse},
};

std::string Code(const TSoilPropertyUse& use)
{
    return {use.shown ? 'S' : '-', use.enabled ? 'E' : '-', use.columnShown ? 'T' : '-', use.saved ? 'K' : '-'};
}

// The codes of columns 0 .. count - 1 of a soil type, separated by blanks.
std::string Codes(const TProgramData& data, int soilType, int count)
{
    std::string codes;
    for (int column = 0; column < count; ++column)
        codes += (column > 0 ? " " : "") + Code(SoilPropertyUse(data, soilType, column));
    return codes;
}

TProgramData Project(const TUseCase& c)
{
    TProgramData data;
    data.SelectedMethod = c.selected;
    for (int method = Method::First; method <= Method::Last; ++method)
        data.SetMethodTicked(method, false);
    for (int method : c.ticked)
        data.SetMethodTicked(method, true);
    data.OffshoreMethods = c.offshore;
    data.PileType = c.pileType;
    return data;
}

TEST(SoilPropertyUse, FollowsTheMethodsTheOffshoreSettingAndThePileType)
{
    for (const TUseCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const TProgramData data = Project(c);
        EXPECT_EQ(Codes(data, SoilType::Sand, 8), c.sand);
        EXPECT_EQ(Codes(data, SoilType::Clay, 9), c.clay);
        EXPECT_EQ(Codes(data, SoilType::Silt, 7), c.silt);
    }
}

TEST(SoilPropertyUse, NothingOfAColumnOrTypeWithoutALayout)
{
    const TProgramData data = Project(kCases[4]); // every column of sand and clay in use
    EXPECT_EQ(Codes(data, SoilType::Sand, 10).substr(40), "---- ----");
    EXPECT_EQ(Codes(data, SoilType::Clay, 10).substr(45), "----");
    EXPECT_EQ(Code(SoilPropertyUse(data, SoilType::Sand, -1)), "----");
    for (int type : {0, 4})
        EXPECT_EQ(Codes(data, type, 3), "---- ---- ----");
}

} // namespace
} // namespace veldo::test

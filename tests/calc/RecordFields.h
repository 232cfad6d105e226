#pragma once
#include "series/USelection.h"
// Every numeric field of a record by name, for whole-record comparisons and finiteness checks.
#include <string>
#include <utility>
#include <vector>

#include "calc/UDaten.h"

inline std::vector<std::pair<std::string, double>> NumericFields(const TDatenREK& r) {
    std::vector<std::pair<std::string, double>> f;
    auto add = [&](const char* name, double v) { f.emplace_back(name, v); };
#define VX_POINT(n)                                                                              \
    add("SVol" #n, r.SVol##n);                                                                   \
    add("OVol" #n, r.OVol##n);                                                                   \
    add("Temp" #n, r.Temp##n);                                                                   \
    add("RelHum" #n, r.RelHum##n);                                                               \
    add("X" #n, r.X##n);                                                                         \
    add("DewPoint" #n, r.DewPoint##n);                                                           \
    add("WetBulb" #n, r.WetBulb##n);                                                             \
    add("Enthalpy" #n, r.Enthalpy##n);                                                           \
    add("Density" #n, r.Density##n);                                                             \
    add("MassDry" #n, r.MassDry##n);                                                             \
    add("MassVapour" #n, r.MassVapour##n);                                                       \
    add("MassMoist" #n, r.MassMoist##n);
    VX_POINT(11) VX_POINT(12) VX_POINT(21) VX_POINT(22)
#undef VX_POINT
    add("Status", r.Status);
    add("HumidityMode", r.HumidityMode);
    add("FlowMode", r.FlowMode);
    add("Pressure", r.Pressure);
    add("PressureDrop1", r.PressureDrop1);
    add("PressureDropStd1", r.PressureDropStd1);
    add("FaceVelocity1", r.FaceVelocity1);
    add("ChannelVelocity1", r.ChannelVelocity1);
    add("PressureDrop2", r.PressureDrop2);
    add("PressureDropStd2", r.PressureDropStd2);
    add("FaceVelocity2", r.FaceVelocity2);
    add("ChannelVelocity2", r.ChannelVelocity2);
    add("FlowAtOutlet", r.FlowAtOutlet);
    add("SVolSupplyOutlet", r.SVolSupplyOutlet);
    add("DpMultiplier", r.DpMultiplier);
    add("SizeCode", r.SizeCode);
    add("PackageWidth", r.PackageWidth);
    add("BypassWidth", r.BypassWidth);
    add("BypassVelocity", r.BypassVelocity);
    add("TempEff1", r.TempEff1);
    add("TempEff2", r.TempEff2);
    add("HumEff1", r.HumEff1);
    add("HumEff2", r.HumEff2);
    add("TempEffWet1", r.TempEffWet1);
    add("TempEffWet2", r.TempEffWet2);
    add("HeatDry1", r.HeatDry1);
    add("HeatDry2", r.HeatDry2);
    add("Heat1", r.Heat1);
    add("Heat2", r.Heat2);
    add("Latent1", r.Latent1);
    add("Latent2", r.Latent2);
    add("Total1", r.Total1);
    add("Total2", r.Total2);
    for (int i = 0; i < 4; ++i) {
        add("EffRel1", r.EffRel1[i]);
        add("EffRel2", r.EffRel2[i]);
    }
    add("Water1", r.Water1);
    add("Condensate2", r.Condensate2);
    add("CondensationState", r.CondensationState);
    add("FreezeRisk", r.FreezeRisk);
    add("EnergyEfficiency", r.EnergyEfficiency);
    add("EfficiencyClassNo", r.EfficiencyClassNo);
    add("ErpEfficiency", r.ErpEfficiency);
    add("Series", r.Series);
    return f;
}

// A winter case as the program starts with it: -5 degC / 90 % outdoor air, 22 degC / 40 %
// extract air, 200 m3/h each, VX 30 with a 250 mm package.
inline void DefaultWinter(TDatenREK& r) {
    const std::string kind = r.Kind;  // the record keeps its exchanger kind
    r = DefaultCase();
    r.Kind = kind;
}

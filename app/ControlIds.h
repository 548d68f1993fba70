#pragma once
// Control ids of the main window, by which the dialog template and the window
// code name its controls.

#include "MeasurementSet.h"

#include <array>

namespace tovarin {

// The five controls of one screen row: the two typed fields and the three
// read-only result fields.
struct RowControls
{
    int flow;
    int response;
    int maf;      // flow in g/s
    int fit;      // fitted response
    int errorPct; // percent error
};

inline constexpr std::array<RowControls, kMaxRows> kRowControls = {{
    {1005, 1020, 1041, 1071, 1115}, {1006, 1021, 1042, 1072, 1116}, {1007, 1022, 1043, 1073, 1117},
    {1008, 1023, 1044, 1074, 1118}, {1009, 1024, 1045, 1075, 1119}, {1010, 1025, 1046, 1076, 1120},
    {1011, 1026, 1047, 1077, 1121}, {1012, 1027, 1048, 1078, 1122}, {1013, 1028, 1049, 1079, 1123},
    {1014, 1029, 1050, 1080, 1124}, {1015, 1030, 1051, 1081, 1125}, {1016, 1031, 1052, 1082, 1126},
    {1017, 1032, 1053, 1083, 1127}, {1018, 1033, 1056, 1084, 1128}, {1019, 1034, 1057, 1085, 1129},
    {1040, 1058, 1065, 1086, 1130}, {1059, 1060, 1066, 1087, 1131}, {1061, 1062, 1067, 1088, 1132},
    {1063, 1064, 1068, 1089, 1133},
}};

// Push buttons; "Run Test" is also the dialog's cancel command (Escape).
inline constexpr int kExitId = 1;
inline constexpr int kRunTestId = 2;
inline constexpr int kGenerateOutputFileId = 3;
inline constexpr int kGenerateHtmlInfoId = 4;

inline constexpr int kFlowUnitListId = 1054;
inline constexpr int kResponseKindListId = 1055;
inline constexpr int kCoefficientAId = 1069;
inline constexpr int kCoefficientBId = 1070;
inline constexpr int kCoefficientCId = 1090;
inline constexpr int kResponseMinId = 1091;
inline constexpr int kResponseMaxId = 1092;
inline constexpr int kPointCountId = 1093;
inline constexpr int kOutputUnitListId = 1094;
inline constexpr int kMeterTypeId = 1095;

} // namespace tovarin

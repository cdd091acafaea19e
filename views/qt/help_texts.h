#pragma once
// The main window's help and question texts.

#include <string>

namespace plumetra::qt {

inline constexpr char GettingStartedText[] =
    "Open Your Excel File and Type Ctrl + A (Select All) and then Ctrl + C (copy) and then click on "
    "the Flock Data Grid and Crtl + V or right mouse click and select Paste\n\n"
    "Now Match the Grid Column with the Name in the Data ID Window and Double Click on the Grid Cell "
    "until the ID Names with Stars have been filled.";

inline constexpr char SortHelpText[] =
    "Sorting of all data by a Single Item can be done by Clicking on the Header of that Item in the "
    "lower data grid OR Selecting the Item on the Box at the Right.\n"
    "Averages will be calculated for all Numerical variables and displayed in the upper data grid.\n"
    "If the Item is Non-numerical like Farm Name the Averages of all numberical values will be "
    "displayed in a new window.\n"
    "The Second Sort Item must be Non-Numerical and displayed in a new window. ";

inline constexpr char PerformanceIndexText[] =
    "The new value of Perf. Index is Performance Index.  Calculated as Delta Wt. Gain - Delta Convix "
    "to sharpen differences";

// Told when a long command ends with an error of the machine (out of memory, for example).
inline const std::string CommandFailedText = "The command could not finish: ";

inline constexpr char MultiSexQuestion[] =
    "IF the Flocks have different Sexes, M for males, F for females and X for Mixed, Click Yes";
inline constexpr char MultiSexTitle[] = "Mutiple Sex Divisions";
inline constexpr char MultiSexPrompt[] = "Enter the Header used for the Column containing the Sex designation";
inline constexpr char MultiSexDefault[] = "Sex";

}  // namespace plumetra::qt

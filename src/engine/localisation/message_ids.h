#pragma once
// Names of the catalogue messages that the engine composes into its texts and failures, each
// named after what it says (the texts: message_table.cpp).
namespace tessavin::msg {

// Refused numbers and fields.
inline constexpr int BadNumberC = 8;               // "Number entry is not correct (C="
inline constexpr int ZeroC = 9;                    // "Constant of material  C  was not specified!"
inline constexpr int BadNumberM = 41;              // "Number entry is not correct (m="
inline constexpr int ExponentMNotPositive = 51;    // "Exponent m ("
inline constexpr int BadNumberN = 63;              // "Number entry is not correct (N="
inline constexpr int BadNumberMi = 64;             // "Number entry is not correct (Mi="
inline constexpr int BadNumberSigma = 65;          // "Number entry is not correct (Sigma="
inline constexpr int IntervalsOutOfRange = 71;     // "Number of intervals is not in range 3 .. "
inline constexpr int BadYear = 75;                 // "... (Year<1 or Year>"
inline constexpr int IntervalCountOutOfRange = 88; // "Intervals number is not in range 3 .. "
inline constexpr int MinProbabilityNotPositive = 97; // "Minimal probability Min_f(x) is not > 0 !"
inline constexpr int InvalidNumberInput = 129; // "I n v a l i d  number input! ... Contained: "
inline constexpr int BadNumberBf = 220;        // "Number entry is not correct (b="
inline constexpr int EndBeforeStart = 244;     // "end < start ! ! !   (start="
inline constexpr int EndIs = 245;              // ",end="
inline constexpr int BadNumberStep = 246;      // "Number entry is not correct (Step="
inline constexpr int YearOutOfRange = 247;     // "Number of Year is not in range 0 .. "
inline constexpr int NotEven = 255;            // " not even "

// The period and the inspections.
inline constexpr int PeriodTo = 29;        // " to "
inline constexpr int PeriodUsingStep = 30; // " using step "
inline constexpr int Continue = 31;        // "C o n t i n u e ?"
inline constexpr int ZeroTimeStep = 57;    // "Selected time step of calculation equals to yero..."
inline constexpr int BetweenYears = 233;   // "between years : "
inline constexpr int PdExceededAtStart =
    232;                                 // "Probability of the F event in starting year ... > pd"
inline constexpr int PdNotReached = 234; // "Probability of the F event in end year ... < pd"
inline constexpr int CalculationForYears = 235; // "Calculation will proceed for years"
inline constexpr int YearLimitExceeded =
    251; // "Limit for the allowable number of years was exceeded ("
inline constexpr int NextInspectionNotFound = 254; // "The next inspection time was not found ! ..."
inline constexpr int InspectionNotCalculated = 256;    // "not calculated"
inline constexpr int OnlyFirstInspectionForStep = 273; // "For choosing "step>1" ... 1.inspection"

// Missing histograms.
inline constexpr int SetParametricDistribution =
    21;                                        // "Set type, Mi, Sigma of parametric distribution"
inline constexpr int DeltaSNotCalculated = 39; // "Histogram DeltaS was not calculated!"
inline constexpr int DeltaSMissing =
    42; // "Histogram "Oscillation of stress peaks DeltaS" was not specified!"
inline constexpr int StressRangesPerYearMissing =
    44; // "Histogram "Total number of oscillation ..." was not specified!"
inline constexpr int NnNotCalculated = 48; // "Histogram Nn was not calculated!"
inline constexpr int FyMissing = 221;      // "Histogram "Yield stress of material Fy [MPa]" ..."
inline constexpr int SigmaMissing =
    222; // "Histogram "Nominal stress in flange in tension Sigma " ..."
inline constexpr int A0Missing = 223;   // "Histogram "Initial size of the crack a0" ..."
inline constexpr int AdMissing = 225;   // "Histogram "Detectable size of the crack ad" ..."
inline constexpr int SnMissing = 229;   // "Histogram "Cumulated effect of Loads Sn" ..."
inline constexpr int RadMissing = 230;  // "Histogram "Resistance Rad" ..."
inline constexpr int RaacMissing = 231; // "Histogram "Resistance Raac" ..."

// Calculation steps that cannot proceed.
inline constexpr int DsNtImpossible = 24;         // "! Calculation using VypocetDsNt procedure ..."
inline constexpr int FieldIndexOutOfRangeOf = 32; // "Field index (%s) is not in range 1 .. "
inline constexpr int DsImpossible = 33;           // "Calculation using VypocetDs procedure ..."
inline constexpr int NtImpossible = 38;           // "Calculation using VypocetNt procedure ..."
inline constexpr int NnForYear = 43;              // "Number of oscillation Nn for n="
inline constexpr int FieldIndexOutOfRange = 218;  // "Field index is not in range 1 .. "
inline constexpr int RaacImpossible = 219;        // "Calculation using ResVypJevuF procedure ..."
inline constexpr int RadImpossible = 224;         // "Calculation using ResVypJevuU procedure ..."
inline constexpr int CalculationImpossible = 228; // "Calculation  is impossible!"

// Numerical faults.
inline constexpr int DivisionByZero = 101; // "D i v i s i o n  by zero !"
inline constexpr int Overflow = 102;       // "Real number  o v e r f l o w !"
inline constexpr int Underflow = 103;      // "Real number  u n d e r f l o w !"
inline constexpr int UndefinedFloatOperation =
    104; // "N o n  d e f i n e d  operation in floating ..."
inline constexpr int ForbiddenMathOperation =
    105;                                       // "Forbidden  m a t h e m a t i c a l  operation !"
inline constexpr int UndefinedOperation = 106; // "U n d e f i n e d  operation !"

// The simulation's model and the exact plan: refusals and the plan's notes.
inline constexpr int PeriodNotForward = 440;          // "the period must run forward ..."
inline constexpr int InputWithoutHistogram = 441;     // "input %s has no histogram"
inline constexpr int CrackSizesNotPositive = 442;     // "the crack sizes a0 and ad must ..."
inline constexpr int FractionalPowerOfNegative = 443; // "DeltaS^m has no value for ..."
inline constexpr int IntegrandNotFinite = 444;        // "the crack-growth integrand has no ..."
inline constexpr int ExactPlanNeedsPeriod = 445;      // "the exact plan needs a period"
inline constexpr int ExactPlanNotANumber = 446;       // "the exact plan gave a value that ..."
inline constexpr int ExactGridTooCoarse = 447;        // "... at least 16 x cells and ..."
inline constexpr int ExactPlanNeedsPositiveC = 448;   // "the exact plan needs C > 0: ..."
inline constexpr int ExactPlanNegativeCounts = 449;   // "... one-year counts of 0 or more ..."
inline constexpr int ExactPlanYieldNotPositive = 450; // "... a yield strength above 0 ..."
inline constexpr int IntegralNotPositive = 451;       // "the crack-growth integral has no ..."
inline constexpr int ClassGrowthNotPositive = 452;    // "... C·ΔS^m > 0 for every ..."
inline constexpr int GridCannotHoldYear = 453;        // "... one year's growth ..."
inline constexpr int GridCannotHoldRange = 454;       // "... the range of the crack growth ..."
inline constexpr int NoStressProbability = 455;       // "the stress range has no probability"
inline constexpr int NotWholeYears = 456;             // "%s: %s is not a whole number of years"
inline constexpr int YearOutsidePeriod = 457;         // "%s: %s lies outside the period ..."
inline constexpr int YearsNotIncreasing = 458;        // "%s: %s does not follow %s (...)"
inline constexpr int NoInspectionNeeded = 459;        // "P(F) stays below Pd up to year %s: ..."
inline constexpr int PdReachedInFirstYear = 460;      // "P(F) reaches Pd already in year %s ..."
inline constexpr int ConditionalBelowPd = 461;        // "after the inspection ... below Pd ..."
inline constexpr int InspectionsTooOften = 462;       // "... more often than once a year"

// Files and raw data.
inline constexpr int DataFileWriteError = 27; // "I/O error during saving the data file  %s"
inline constexpr int NoDistributionFits =
    110; // "No type of parametric distribution histogram is ..."
inline constexpr int FileDoesNotExist = 112;    // "File %s does  n o t  e x i s t !"
inline constexpr int TooManyValues = 113;       // "Number of measurement datas is "
inline constexpr int SturgesAdvice = 116;       // "Advice according Sturgesov rule ..."
inline constexpr int InvalidNumberInFile = 118; // "No valid number was entered in the file!"
inline constexpr int TooFewValues = 130;        // "Number of measurement datas is < 3 !"
inline constexpr int WriteError = 136;          // "Write error ! File %s"
inline constexpr int InvalidNumber = 147;       // "Invalid number input ! "
inline constexpr int LineLabel = 148;           // "Line    :  "
inline constexpr int ElementLabel = 149;        // "Element :  "
inline constexpr int FileCannotBeRead = 281;    // "File %s cannot be read !"
inline constexpr int NotARegularFile = 282;     // "It is not a regular file (...)"

// A raw histogram's range and the project files.
inline constexpr int MinXNotBelowMaxX = 463;     // "MinX >= MaxX !"
inline constexpr int RangeTooWide = 464;         // "The range MinX .. MaxX is too wide ..."
inline constexpr int StreamReadError = 465;      // "Stream read error": a file that ends early
inline constexpr int InvalidPropertyValue = 466; // "Invalid property value"
inline constexpr int CannotCreateFile = 467;     // "Cannot create file \"%s\". %s"
inline constexpr int CannotOpenFile = 468;       // "Cannot open file \"%s\". %s"

// Headings and labels of composed texts.
inline constexpr int ParametricDistribution = 78;       // "Parametric distribution"
inline constexpr int Basic = 81;                        // "   B a s i c"
inline constexpr int Normal = 91;                       // "Normal"
inline constexpr int ParametricDistributionError = 211; // "Error in procedure VypParaRoz : ..."
inline constexpr int ParametricDistributionLabel = 212; // "Parametric distribution : "
inline constexpr int RawDataParameters = 215; // "Parameters of histogram from the raw datas : ..."
inline constexpr int CrackProgressionFrom = 238;           // "Fatigue crack progression from "
inline constexpr int FirstInspectionCharts = 240;          // "First inspection time Charts"
inline constexpr int Year = 259;                           // " Year"
inline constexpr int InspectionSuffix = 275;               // ".Inspection"
inline constexpr int DesignProbabilityPd = 276;            // "Design probability   Pd = "
inline constexpr int MaterialConstantC = 277;              // "Constant of material C  = "
inline constexpr int MaterialConstantM = 278;              // "Constant of material m  = "
inline constexpr int ProbabilitiesOfFirstInspection = 280; // "Probability of Events U, D, F ..."

// Desktop: the raw data window.
inline constexpr int CharacteristicsCaption = 79;        // "C h a r a c t e r i s t i c s"
inline constexpr int EpsOutOfRange = 98;                 // "... Eps ... in range: ( %s , 1 ) !"
inline constexpr int RawDataTitle = 107;                 // "Raw datas    : "
inline constexpr int ParametricFunctionTitle = 108;      // "Parametric distribution function - "
inline constexpr int DataFileTitle = 109;                // ", Data file - "
inline constexpr int InputParameters = 111;              // "Parameters of input : "
inline constexpr int BadIntervalCount = 114;             // "Invalid number ... intervals: "
inline constexpr int ZeroIntervals = 115;                // "Number of intervals = 0 !"
inline constexpr int InputParametersF = 117;             // "Parameters of input : F ( x | "
inline constexpr int FrequencyTableEmpty = 135;          // "Table of frequency is empty !"
inline constexpr int RawHistogramMoments = 160;          // "Parameters of histogram from ..."
inline constexpr int ParametricHistogramMoments = 161;   // "Histogram Parametric ... : %s"
inline constexpr int ParametricCharacteristics = 209;    // "Characteristics ... parametric ..."
inline constexpr int NonParametricCharacteristics = 210; // "... non-parametric ..."
inline constexpr int ShownHistogramParameters = 214;     // "Parameters of displayed ..."
inline constexpr int ProbabilityAxisTitle = 257;         // "Probability P(x)"
inline constexpr int YearAxisTitle = 258;                // "Y e a r"

// Desktop: the main window.
inline constexpr int ConfirmationTitle = 1;        // "C o n f i r m a t i o n"
inline constexpr int InformationTitle = 2;         // "I n f o r m a t i o n"
inline constexpr int ErrorTitle = 3;               // "E r r o r"
inline constexpr int WarningTitle = 4;             // "W a r n i n g"
inline constexpr int FoldersList = 5;              // "D i r e c t o r i e s  : ..."
inline constexpr int OverwriteQuestion = 6;        // "File %s exists.  O v e r w r i t e ?"
inline constexpr int ExitQuestion = 10;            // "Do you really want to  e x i t ?"
inline constexpr int MainWindowTitle = 46;         // "Probabilistic calculation of ... (Version "
inline constexpr int DefaultsQuestion = 50;        // "Do you want to set the default values ..."
inline constexpr int BreakQuestion = 216;          // "Do you really want to  b r e a k  ?"
inline constexpr int ResistanceRad = 226;          // "Resistance Rad"
inline constexpr int ResistanceRaac = 227;         // "Resistance Raac"
inline constexpr int ReliabilityU = 242;           // "Probability of the U event (RF = Rad - Sn)"
inline constexpr int ReliabilityF = 243;           // "Probability of the F event (RF = Raac - Sn)"
inline constexpr int SettingsFileUnreadable = 249; // (empty)
inline constexpr int ResistanceRadLabel = 269;     // "Resistance Rad", beside its button
inline constexpr int ResistanceRaacLabel = 270;    // "Resistance Raac", beside its button
inline constexpr int WorkbookNotOpened = 274;      // "Link to Microsoft Excel is not available ..."

// Desktop: the study report.
inline constexpr int ReportFilter = 496;       // "PDF documents (*.pdf)"
inline constexpr int ReportNotWritten = 497;   // "The report was not written: %s"
inline constexpr int ReportWritten = 498;      // "Report written: ", before its path
inline constexpr int ReportUnsavedInput = 499; // "not saved: the hash is of the project ..."

// Desktop: the side windows.
inline constexpr int EventFChartTitle = 53;  // "Probability chart of event F for inspections ..."
inline constexpr int EventChartsTitle = 239; // "Probability Charts of Events U, D, F  in ..."

// Desktop: the charts.
inline constexpr int TotalRow = 47;       // " T o t a l :"
inline constexpr int ProbabilityPx = 260; // "Probability P(x)", the histogram charts' axis
inline constexpr int ValueX = 261;        // "Value  x"

// Desktop: goodness of fit.
inline constexpr int GoodnessStopped = 190;      // "stopped"
inline constexpr int GoodnessFewValues = 191;    // "Fewer than %s values: no bootstrap p-value"
inline constexpr int GoodnessNotAvailable = 192; // "Not available: %s"
inline constexpr int GoodnessNoDraws = 193;      // "No bootstrap draws (their number is 0)"
inline constexpr int GoodnessNoRawSample = 194;  // "The statistics need the raw data of the ..."

// Desktop: main window texts.
inline constexpr int NotWholeNumber = 469; // "'%s' is not a valid integer value"

} // namespace tessavin::msg

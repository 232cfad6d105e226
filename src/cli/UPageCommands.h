#pragma once
// The page commands (datasheet, chart, description). They draw with the print layer, Qt and the
// PDF engine, so they live in the program vxrate-pages; vxrate itself loads none of these
// libraries, lists the page commands in its usage text and hands them over with all their
// arguments (see CmdPages.cpp). Both programs take the names and texts from here.

struct TCommandText {
    const char* Name;
    const char* Synopsis;
    const char* Summary;
};

inline constexpr TCommandText DatasheetCommand{
    "datasheet", "datasheet [FILE] --pdf OUT.pdf [--lang CODE] [--units si|us] [--paper a4|letter]",
    "rates the case(s) in FILE or on standard input and writes the datasheet as PDF"};
inline constexpr TCommandText ChartCommand{
    "chart",
    "chart [FILE] --pdf OUT.pdf | --svg OUT.svg | --png OUT.png [--dpi N] [--carrier] [--lang CODE] "
    "[--units si|us] [--paper a4|letter]",
    "rates the case(s) in FILE or on standard input and writes the chart page as PDF, the chart as SVG "
    "or PNG"};
inline constexpr TCommandText DescriptionCommand{
    "description", "description --series 1|2|3 --pdf OUT.pdf [--lang CODE] [--paper a4|letter]",
    "writes the product description page of a series as PDF"};

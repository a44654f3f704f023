// gkconv's datum options: the datum and plane operations' parameters, forward's and
// inverse's --datum and --plane files, and the fit command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "conversion/settings.h"

struct DatumOptions {
    std::string params;     // --params FILE
    std::string helmert;    // --helmert TX,TY,TZ[,RX,RY,RZ,S]
    std::string similarity; // --similarity DX,DY,THETA,S
    std::string convention;
    bool exactRotation = false;
    std::string fromEllipsoid;
    std::string toEllipsoid;
    bool inverse = false;
    std::string datumFile; // forward and inverse --datum FILE
    std::string planeFile; // forward and inverse --plane FILE
    std::string source;    // fit --source FILE
    std::string target;    // fit --target FILE
    std::string exclude;   // fit --exclude NAME,...
};

void AddDatumOptions(CLI::App& app, DatumOptions& options);

// A refusal with its exit status: 2 for a usage error, 3 for a file that cannot be read.
struct OptionFailure {
    int status;
    std::string message;
};

// Sets the transformations of the datum and plane operations and of forward's and inverse's
// --datum and --plane; refuses options that do not belong to the operation.
std::optional<OptionFailure> MakeDatumSettings(const DatumOptions& options, const CLI::App& app,
                                               Settings& settings);

// gkconv describe --params FILE: prints the file's PROJ pipeline, in gkconv's axis order, and
// a line saying what it reads; refuses any other option beside the file. Without --params it
// refuses the datum options and returns nothing: describe is then about the projection.
// Otherwise returns the exit status.
std::optional<int> DescribeParameterFile(const DatumOptions& options, const CLI::App& app);

// gkconv fit MODEL: reading holds how the two files are read (angles, columns, delimiter,
// header). Prints the report, writes output (the parameter file) when given; returns the exit
// status.
int RunFitCommand(const std::string& model, const DatumOptions& options, const CLI::App& app,
                  const Settings& reading, const std::string& output);

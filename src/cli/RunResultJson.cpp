#include "cli/RunResultJson.h"

#include "cli/JsonText.h"

namespace ondrel::runner {

void WriteRunResultJson(std::ostream& out, const RunResult& result) {
    out << "{\n"
        << "  \"chart\": " << JsonString(result.chartPath) << ",\n"
        << "  \"ran\": " << (result.ran ? "true" : "false") << ",\n"
        << "  \"end_time\": " << JsonNumber(result.endTime) << ",\n"
        << "  \"samples\": " << result.samples << ",\n"
        << "  \"output_interval\": " << JsonNumber(result.outputInterval) << ",\n"
        << "  \"simulation_end\": " << JsonNumber(result.simulationEnd) << ",\n"
        << "  \"blocks\": " << result.blocks << ",\n"
        << "  \"exit_status\": " << result.exitStatus << ",\n"
        << "  \"messages\": [";
    const char* separator = "\n";
    for (const ShownMessage& message : result.messages) {
        out << separator << "    {\"caption\": " << JsonString(message.caption)
            << ", \"text\": " << JsonString(message.text) << '}';
        separator = ",\n";
    }
    out << (result.messages.empty() ? "" : "\n  ") << "],\n"
        << "  \"wall_time\": " << JsonNumber(result.wallSeconds) << "\n"
        << "}\n";
}

}  // namespace ondrel::runner

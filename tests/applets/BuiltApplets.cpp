#include "AppletFacts.h"
#include "BuiltDeliverables.h"

namespace velm::test::applets {

namespace {

struct KnownApplet {
    const char* target;
    AppletFacts (*facts)();
};

const KnownApplet kKnownApplets[] = {
    {"arventa", arventaFacts},
    {"belcora", belcoraFacts},
    {"corvessa", corvessaFacts},
    {"dalmira", dalmiraFacts},
};

}  // namespace

// An applet the build does not make (the Windows builds make only those of
// their own bitness) has no test cases.
const std::vector<AppletFacts>& builtApplets()
{
    static const std::vector<AppletFacts> built = [] {
        std::vector<AppletFacts> facts;
        for (const std::string& name : builtDeliverables()) {
            for (const KnownApplet& known : kKnownApplets) {
                if (name == known.target) {
                    facts.push_back(known.facts());
                }
            }
        }
        return facts;
    }();
    return built;
}

}  // namespace velm::test::applets

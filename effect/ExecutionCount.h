#pragma once
// Execution counts of a definition: the effect's "executions" text and each pipeline's.
// Empty text or "1" runs once; "param:<name>" reads the count from a parameter; anything
// else takes its leading digits the way C's atoi does, and a result below 1 runs once.

#include <functional>
#include <string>

// The prefix of a count that names a parameter.
inline constexpr const char kExecutionParamPrefix[] = "param:";

// `readParameter` is called with the parameter name for a "param:" text and must return a
// count of at least 1 (GenericEffect::getIntParameter).
int parseExecutionCount(const std::string& text, const std::function<int(const std::string&)>& readParameter);

// True when `text` names a parameter; `name` then receives it.
bool executionCountParameter(const std::string& text, std::string& name);

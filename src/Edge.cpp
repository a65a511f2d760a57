#include "Edge.h"

Edge::~Edge() = default;

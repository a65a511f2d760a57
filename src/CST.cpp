#include "CST.h"

CST::~CST() = default;

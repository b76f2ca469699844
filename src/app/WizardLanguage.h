// The language the wizard speaks: that of the language file in force.
#pragma once

#include "sys/TextLanguage.h"

TextLanguage WizardLanguage();

// The language the wizard speaks: that of the language file in force.
#pragma once

#include "shared/TextLanguage.h"

TextLanguage WizardLanguage();

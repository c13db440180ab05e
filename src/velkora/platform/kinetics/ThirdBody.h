//! @file ThirdBody.h
//! The collision partner of a three-body reaction.
#ifndef VELKORA_PLATFORM_KINETICS_THIRDBODY_H
#define VELKORA_PLATFORM_KINETICS_THIRDBODY_H

#include <string>

namespace Velkora
{

//! A third body takes part in a collision without being changed by it. Every
//! species counts as one, with efficiency 1: its concentration is the total
//! concentration.
struct ThirdBody
{
    std::string m_name = "M";
};

} // namespace Velkora

#endif

!> @file velkora_c.f90
!> The Fortran module `velkora_c`: the library's C interface as it is, for
!> Fortran 2008 callers that want the C functions themselves.
!>
!> Every C function is declared under its C name with iso_c_binding kinds:
!> handles, counts and statuses are integer(c_int), numbers real(c_double),
!> arrays are passed as Fortran arrays, strings as NUL-terminated character
!> arrays, and indexes count from 0, as in C. The module `velkora` wraps
!> them for Fortran: use one or the other, so that one convention holds.
module velkora_c
    use, intrinsic :: iso_c_binding, only: c_int, c_double, c_char, c_ptr, c_funptr
    implicit none
    private

    !> Status of the library's own errors (most int functions).
    integer(c_int), parameter, public :: VELKORA_ERROR = -1_c_int
    !> Status of reactornet_new for the library's own errors.
    integer(c_int), parameter, public :: VELKORA_NETWORK_ERROR = -2_c_int
    !> Status of any other failure, and of every failure of rxn_setId and
    !> rxn_setAllowNonreactantOrders.
    integer(c_int), parameter, public :: VELKORA_OTHER_ERROR = -999_c_int
    !> What functions that return a double give for every failure.
    real(c_double), parameter, public :: VELKORA_FAILED = -999.999_c_double

    public :: app_errorCount, app_lastError, app_popError, app_clearErrors, app_version, app_setLogWriter
    public :: rxn_new, rxn_equation, rxn_type, rxn_id, rxn_setId, rxn_usesThirdBody, rxn_valid
    public :: rxn_allowNonreactantOrders, rxn_setAllowNonreactantOrders, rxn_del, rxn_cabinetSize
    public :: mech_newReaction, mech_load, mech_nSpecies, mech_nReactions, mech_speciesName, mech_speciesIndex
    public :: mech_speciesCp, mech_speciesEnthalpy, mech_speciesEntropy, mech_reaction, mech_del, mech_cabinetSize
    public :: reactor_new, reactor_nSpecies, reactor_speciesName, reactor_setConcentration, reactor_concentration
    public :: reactor_newIdealGas, reactor_temperature, reactor_pressure, reactor_density, reactor_moleFraction
    public :: reactor_massFraction, reactor_setSensitivities
    public :: reactor_del, reactor_cabinetSize
    public :: reactornet_new, reactornet_setInitialTime, reactornet_setMaxTimeStep, reactornet_setTolerances
    public :: reactornet_setSensitivityTolerances, reactornet_advance, reactornet_step, reactornet_time
    public :: reactornet_rtol, reactornet_atol, reactornet_sensitivity, reactornet_del, reactornet_cabinetSize
    public :: trans_transportModel, trans_viscosity, trans_thermalConductivity, trans_electricalConductivity
    public :: trans_getThermalDiffCoeffs, trans_getMixDiffCoeffs, trans_getBinaryDiffCoeffs
    public :: trans_getMultiDiffCoeffs, trans_getMolarFluxes, trans_getMassFluxes, trans_del, trans_cabinetSize
    public :: gastrans_new, gastrans_newFromSpecies, gastrans_newFromParameters, gastrans_setState
    public :: gastrans_nSpecies, gastrans_speciesName

    interface
        ! ---- error stack, log, version
        integer(c_int) function app_errorCount() bind(C, name="app_errorCount")
            import :: c_int
        end function
        integer(c_int) function app_lastError(buflen, buf) bind(C, name="app_lastError")
            import :: c_int, c_char
            integer(c_int), value :: buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function app_popError() bind(C, name="app_popError")
            import :: c_int
        end function
        integer(c_int) function app_clearErrors() bind(C, name="app_clearErrors")
            import :: c_int
        end function
        integer(c_int) function app_version(buflen, buf) bind(C, name="app_version")
            import :: c_int, c_char
            integer(c_int), value :: buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function app_setLogWriter(writer, userData) bind(C, name="app_setLogWriter")
            import :: c_int, c_funptr, c_ptr
            type(c_funptr), value :: writer
            type(c_ptr), value :: userData
        end function

        ! ---- reactions
        integer(c_int) function rxn_new() bind(C, name="rxn_new")
            import :: c_int
        end function
        integer(c_int) function rxn_equation(handle, buflen, buf) bind(C, name="rxn_equation")
            import :: c_int, c_char
            integer(c_int), value :: handle, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function rxn_type(handle, buflen, buf) bind(C, name="rxn_type")
            import :: c_int, c_char
            integer(c_int), value :: handle, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function rxn_id(handle, buflen, buf) bind(C, name="rxn_id")
            import :: c_int, c_char
            integer(c_int), value :: handle, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function rxn_setId(handle, id) bind(C, name="rxn_setId")
            import :: c_int, c_char
            integer(c_int), value :: handle
            character(kind=c_char), intent(in) :: id(*)
        end function
        integer(c_int) function rxn_usesThirdBody(handle) bind(C, name="rxn_usesThirdBody")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function rxn_valid(handle) bind(C, name="rxn_valid")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function rxn_allowNonreactantOrders(handle) bind(C, name="rxn_allowNonreactantOrders")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function rxn_setAllowNonreactantOrders(handle, allow) &
                bind(C, name="rxn_setAllowNonreactantOrders")
            import :: c_int
            integer(c_int), value :: handle, allow
        end function
        integer(c_int) function rxn_del(handle) bind(C, name="rxn_del")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function rxn_cabinetSize() bind(C, name="rxn_cabinetSize")
            import :: c_int
        end function
        integer(c_int) function mech_newReaction(equation, forward, reverse) bind(C, name="mech_newReaction")
            import :: c_int, c_char, c_double
            character(kind=c_char), intent(in) :: equation(*)
            real(c_double), value :: forward, reverse
        end function

        ! ---- reactors
        integer(c_int) function reactor_new(n, reactions) bind(C, name="reactor_new")
            import :: c_int
            integer(c_int), value :: n
            integer(c_int), intent(in) :: reactions(*)
        end function
        integer(c_int) function reactor_nSpecies(reactor) bind(C, name="reactor_nSpecies")
            import :: c_int
            integer(c_int), value :: reactor
        end function
        integer(c_int) function reactor_speciesName(reactor, k, buflen, buf) bind(C, name="reactor_speciesName")
            import :: c_int, c_char
            integer(c_int), value :: reactor, k, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function reactor_setConcentration(reactor, species, value) &
                bind(C, name="reactor_setConcentration")
            import :: c_int, c_char, c_double
            integer(c_int), value :: reactor
            character(kind=c_char), intent(in) :: species(*)
            real(c_double), value :: value
        end function
        real(c_double) function reactor_concentration(reactor, species) bind(C, name="reactor_concentration")
            import :: c_int, c_char, c_double
            integer(c_int), value :: reactor
            character(kind=c_char), intent(in) :: species(*)
        end function
        integer(c_int) function reactor_del(reactor) bind(C, name="reactor_del")
            import :: c_int
            integer(c_int), value :: reactor
        end function
        integer(c_int) function reactor_cabinetSize() bind(C, name="reactor_cabinetSize")
            import :: c_int
        end function

        ! ---- reactor networks
        integer(c_int) function reactornet_new(n, reactors) bind(C, name="reactornet_new")
            import :: c_int
            integer(c_int), value :: n
            integer(c_int), intent(in) :: reactors(*)
        end function
        integer(c_int) function reactornet_setInitialTime(net, time) bind(C, name="reactornet_setInitialTime")
            import :: c_int, c_double
            integer(c_int), value :: net
            real(c_double), value :: time
        end function
        integer(c_int) function reactornet_setMaxTimeStep(net, maxStep) bind(C, name="reactornet_setMaxTimeStep")
            import :: c_int, c_double
            integer(c_int), value :: net
            real(c_double), value :: maxStep
        end function
        integer(c_int) function reactornet_setTolerances(net, rtol, atol) bind(C, name="reactornet_setTolerances")
            import :: c_int, c_double
            integer(c_int), value :: net
            real(c_double), value :: rtol, atol
        end function
        integer(c_int) function reactornet_setSensitivityTolerances(net, rtol, atol) &
                bind(C, name="reactornet_setSensitivityTolerances")
            import :: c_int, c_double
            integer(c_int), value :: net
            real(c_double), value :: rtol, atol
        end function
        integer(c_int) function reactornet_advance(net, time) bind(C, name="reactornet_advance")
            import :: c_int, c_double
            integer(c_int), value :: net
            real(c_double), value :: time
        end function
        real(c_double) function reactornet_step(net) bind(C, name="reactornet_step")
            import :: c_int, c_double
            integer(c_int), value :: net
        end function
        real(c_double) function reactornet_time(net) bind(C, name="reactornet_time")
            import :: c_int, c_double
            integer(c_int), value :: net
        end function
        real(c_double) function reactornet_rtol(net) bind(C, name="reactornet_rtol")
            import :: c_int, c_double
            integer(c_int), value :: net
        end function
        real(c_double) function reactornet_atol(net) bind(C, name="reactornet_atol")
            import :: c_int, c_double
            integer(c_int), value :: net
        end function
        real(c_double) function reactornet_sensitivity(net, component, parameter, reactor) &
                bind(C, name="reactornet_sensitivity")
            import :: c_int, c_char, c_double
            integer(c_int), value :: net
            character(kind=c_char), intent(in) :: component(*)
            integer(c_int), value :: parameter, reactor
        end function
        integer(c_int) function reactornet_del(net) bind(C, name="reactornet_del")
            import :: c_int
            integer(c_int), value :: net
        end function
        integer(c_int) function reactornet_cabinetSize() bind(C, name="reactornet_cabinetSize")
            import :: c_int
        end function

        ! ---- transport evaluators
        integer(c_int) function trans_transportModel(handle, buflen, buf) bind(C, name="trans_transportModel")
            import :: c_int, c_char
            integer(c_int), value :: handle, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        real(c_double) function trans_viscosity(handle) bind(C, name="trans_viscosity")
            import :: c_int, c_double
            integer(c_int), value :: handle
        end function
        real(c_double) function trans_thermalConductivity(handle) bind(C, name="trans_thermalConductivity")
            import :: c_int, c_double
            integer(c_int), value :: handle
        end function
        real(c_double) function trans_electricalConductivity(handle) bind(C, name="trans_electricalConductivity")
            import :: c_int, c_double
            integer(c_int), value :: handle
        end function
        integer(c_int) function trans_getThermalDiffCoeffs(handle, len, dt) bind(C, name="trans_getThermalDiffCoeffs")
            import :: c_int, c_double
            integer(c_int), value :: handle, len
            real(c_double), intent(out) :: dt(*)
        end function
        integer(c_int) function trans_getMixDiffCoeffs(handle, len, d) bind(C, name="trans_getMixDiffCoeffs")
            import :: c_int, c_double
            integer(c_int), value :: handle, len
            real(c_double), intent(out) :: d(*)
        end function
        integer(c_int) function trans_getBinaryDiffCoeffs(handle, ld, len, d) bind(C, name="trans_getBinaryDiffCoeffs")
            import :: c_int, c_double
            integer(c_int), value :: handle, ld, len
            real(c_double), intent(out) :: d(*)
        end function
        integer(c_int) function trans_getMultiDiffCoeffs(handle, ld, len, d) bind(C, name="trans_getMultiDiffCoeffs")
            import :: c_int, c_double
            integer(c_int), value :: handle, ld, len
            real(c_double), intent(out) :: d(*)
        end function
        integer(c_int) function trans_getMolarFluxes(handle, len1, state1, len2, state2, delta, lenFluxes, fluxes) &
                bind(C, name="trans_getMolarFluxes")
            import :: c_int, c_double
            integer(c_int), value :: handle, len1, len2, lenFluxes
            real(c_double), intent(in) :: state1(*), state2(*)
            real(c_double), value :: delta
            real(c_double), intent(out) :: fluxes(*)
        end function
        integer(c_int) function trans_getMassFluxes(handle, len1, state1, len2, state2, delta, lenFluxes, fluxes) &
                bind(C, name="trans_getMassFluxes")
            import :: c_int, c_double
            integer(c_int), value :: handle, len1, len2, lenFluxes
            real(c_double), intent(in) :: state1(*), state2(*)
            real(c_double), value :: delta
            real(c_double), intent(out) :: fluxes(*)
        end function
        integer(c_int) function trans_del(handle) bind(C, name="trans_del")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function trans_cabinetSize() bind(C, name="trans_cabinetSize")
            import :: c_int
        end function
        integer(c_int) function gastrans_new(n, molarMass, diameter, molarCp) bind(C, name="gastrans_new")
            import :: c_int, c_double, c_ptr
            integer(c_int), value :: n
            real(c_double), intent(in) :: molarMass(*), diameter(*)
            type(c_ptr), value :: molarCp
        end function
        integer(c_int) function gastrans_newFromSpecies(n, species, model) bind(C, name="gastrans_newFromSpecies")
            import :: c_int, c_ptr, c_char
            integer(c_int), value :: n
            type(c_ptr), intent(in) :: species(*)
            character(kind=c_char), intent(in) :: model(*)
        end function
        integer(c_int) function gastrans_newFromParameters(n, names, molarMass, geometry, wellDepth, diameter, &
                                                           dipole, polarizability, rotRelax, molarCp, model) &
                bind(C, name="gastrans_newFromParameters")
            import :: c_int, c_ptr, c_char, c_double
            integer(c_int), value :: n
            type(c_ptr), intent(in) :: names(*)
            real(c_double), intent(in) :: molarMass(*)
            integer(c_int), intent(in) :: geometry(*)
            real(c_double), intent(in) :: wellDepth(*), diameter(*)
            type(c_ptr), value :: dipole, polarizability, rotRelax, molarCp
            character(kind=c_char), intent(in) :: model(*)
        end function
        integer(c_int) function gastrans_nSpecies(handle) bind(C, name="gastrans_nSpecies")
            import :: c_int
            integer(c_int), value :: handle
        end function
        integer(c_int) function gastrans_speciesName(handle, k, buflen, buf) bind(C, name="gastrans_speciesName")
            import :: c_int, c_char
            integer(c_int), value :: handle, k, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function gastrans_setState(handle, T, P, n, X) bind(C, name="gastrans_setState")
            import :: c_int, c_double
            integer(c_int), value :: handle
            real(c_double), value :: T, P
            integer(c_int), value :: n
            real(c_double), intent(in) :: X(*)
        end function
        ! ---- mechanisms
        integer(c_int) function mech_load(mechanismFile, thermoFile) bind(C, name="mech_load")
            import :: c_int, c_char, c_ptr
            character(kind=c_char), intent(in) :: mechanismFile(*)
            type(c_ptr), value :: thermoFile
        end function
        integer(c_int) function mech_nSpecies(mech) bind(C, name="mech_nSpecies")
            import :: c_int
            integer(c_int), value :: mech
        end function
        integer(c_int) function mech_nReactions(mech) bind(C, name="mech_nReactions")
            import :: c_int
            integer(c_int), value :: mech
        end function
        integer(c_int) function mech_speciesName(mech, k, buflen, buf) bind(C, name="mech_speciesName")
            import :: c_int, c_char
            integer(c_int), value :: mech, k, buflen
            character(kind=c_char), intent(out) :: buf(*)
        end function
        integer(c_int) function mech_speciesIndex(mech, name) bind(C, name="mech_speciesIndex")
            import :: c_int, c_char
            integer(c_int), value :: mech
            character(kind=c_char), intent(in) :: name(*)
        end function
        real(c_double) function mech_speciesCp(mech, k, T) bind(C, name="mech_speciesCp")
            import :: c_int, c_double
            integer(c_int), value :: mech, k
            real(c_double), value :: T
        end function
        real(c_double) function mech_speciesEnthalpy(mech, k, T) bind(C, name="mech_speciesEnthalpy")
            import :: c_int, c_double
            integer(c_int), value :: mech, k
            real(c_double), value :: T
        end function
        real(c_double) function mech_speciesEntropy(mech, k, T) bind(C, name="mech_speciesEntropy")
            import :: c_int, c_double
            integer(c_int), value :: mech, k
            real(c_double), value :: T
        end function
        integer(c_int) function mech_reaction(mech, i) bind(C, name="mech_reaction")
            import :: c_int
            integer(c_int), value :: mech, i
        end function
        integer(c_int) function mech_del(mech) bind(C, name="mech_del")
            import :: c_int
            integer(c_int), value :: mech
        end function
        integer(c_int) function mech_cabinetSize() bind(C, name="mech_cabinetSize")
            import :: c_int
        end function
        ! ---- ideal-gas reactors
        integer(c_int) function reactor_newIdealGas(mech, type, T, P, composition) bind(C, name="reactor_newIdealGas")
            import :: c_int, c_double, c_char
            integer(c_int), value :: mech
            character(kind=c_char), intent(in) :: type(*)
            real(c_double), value :: T, P
            character(kind=c_char), intent(in) :: composition(*)
        end function
        real(c_double) function reactor_temperature(reactor) bind(C, name="reactor_temperature")
            import :: c_int, c_double
            integer(c_int), value :: reactor
        end function
        real(c_double) function reactor_pressure(reactor) bind(C, name="reactor_pressure")
            import :: c_int, c_double
            integer(c_int), value :: reactor
        end function
        real(c_double) function reactor_density(reactor) bind(C, name="reactor_density")
            import :: c_int, c_double
            integer(c_int), value :: reactor
        end function
        real(c_double) function reactor_moleFraction(reactor, species) bind(C, name="reactor_moleFraction")
            import :: c_int, c_double, c_char
            integer(c_int), value :: reactor
            character(kind=c_char), intent(in) :: species(*)
        end function
        real(c_double) function reactor_massFraction(reactor, species) bind(C, name="reactor_massFraction")
            import :: c_int, c_double, c_char
            integer(c_int), value :: reactor
            character(kind=c_char), intent(in) :: species(*)
        end function
        integer(c_int) function reactor_setSensitivities(reactor, enabled) bind(C, name="reactor_setSensitivities")
            import :: c_int
            integer(c_int), value :: reactor, enabled
        end function
    end interface

end module velkora_c

!> @file velkora.f90
!> The Fortran module `velkora` over the library's C interface (Fortran 2008).
!>
!> Every C function is declared under its C name with iso_c_binding kinds:
!> handles, counts and statuses are integer(c_int), numbers real(c_double),
!> arrays are passed as Fortran arrays, and those functions count indexes
!> from 0, as C does. The velkora_* procedures are the Fortran-friendly
!> wrappers: they take and return Fortran character strings, count from 1,
!> and take optional arguments where C accepts NULL.
!>
!> A failed call returns a failure value (VELKORA_ERROR, VELKORA_NETWORK_ERROR,
!> VELKORA_OTHER_ERROR, or VELKORA_FAILED from functions that return a
!> double); velkora_last_error() gives the reason and removes it, and
!> velkora_is_failure(x) tells a failed double from a genuine value.
module velkora
    use, intrinsic :: iso_c_binding, only: c_int, c_double, c_char, c_null_char, c_ptr, c_null_ptr, c_funptr
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

    ! The C functions that return text by the string convention.
    integer, parameter :: LAST_ERROR = 1, VERSION = 2, EQUATION = 3, RXN_TYPE_TEXT = 4, RXN_ID_TEXT = 5, &
                          SPECIES = 6, MODEL = 7, GAS_SPECIES = 8

    public :: app_errorCount, app_lastError, app_popError, app_clearErrors, app_version, app_setLogWriter
    public :: rxn_new, rxn_equation, rxn_type, rxn_id, rxn_setId, rxn_usesThirdBody, rxn_valid
    public :: rxn_allowNonreactantOrders, rxn_setAllowNonreactantOrders, rxn_del, rxn_cabinetSize
    public :: mech_newReaction
    public :: reactor_new, reactor_nSpecies, reactor_speciesName, reactor_setConcentration, reactor_concentration
    public :: reactor_del, reactor_cabinetSize
    public :: reactornet_new, reactornet_setInitialTime, reactornet_setMaxTimeStep, reactornet_setTolerances
    public :: reactornet_setSensitivityTolerances, reactornet_advance, reactornet_step, reactornet_time
    public :: reactornet_rtol, reactornet_atol, reactornet_sensitivity, reactornet_del, reactornet_cabinetSize
    public :: trans_transportModel, trans_viscosity, trans_thermalConductivity, trans_electricalConductivity
    public :: trans_getThermalDiffCoeffs, trans_getMixDiffCoeffs, trans_getBinaryDiffCoeffs
    public :: trans_getMultiDiffCoeffs, trans_getMolarFluxes, trans_getMassFluxes, trans_del, trans_cabinetSize
    public :: gastrans_new, gastrans_newFromSpecies, gastrans_newFromParameters, gastrans_setState
    public :: gastrans_nSpecies, gastrans_speciesName

    public :: velkora_is_failure, velkora_last_error, velkora_version
    public :: velkora_new_reaction, velkora_reaction_equation, velkora_reaction_type, velkora_reaction_id
    public :: velkora_set_reaction_id
    public :: velkora_species_name, velkora_set_concentration, velkora_concentration
    public :: velkora_sensitivity
    public :: velkora_transport_model, velkora_new_hard_sphere_gas, velkora_set_gas_state
    public :: velkora_new_gas_transport, velkora_new_gas_transport_from_parameters, velkora_gas_species_name

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
    end interface

contains

    !> Whether `x`, a double result, is a failure: the failure value with the
    !> reason on the error stack (a genuine result of that value is not).
    logical function velkora_is_failure(x)
        use, intrinsic :: iso_c_binding, only: c_int64_t
        real(c_double), intent(in) :: x
        ! The failure value is exact: compare its bits.
        velkora_is_failure = .false.
        if (transfer(x, 0_c_int64_t) == transfer(VELKORA_FAILED, 0_c_int64_t)) then
            velkora_is_failure = app_errorCount() > 0
        end if
    end function

    ! A Fortran string as a NUL-terminated C string.
    pure function c_string(text) result(c)
        character(len=*), intent(in) :: text
        character(kind=c_char, len=len_trim(text) + 1) :: c
        c = trim(text)//c_null_char
    end function

    ! Calls the C function `which` with a buffer of `buflen` bytes.
    integer(c_int) function copy_text(which, handle, k, buflen, buf)
        integer, intent(in) :: which
        integer(c_int), intent(in) :: handle, k, buflen
        character(kind=c_char), intent(out) :: buf(*)
        select case (which)
        case (LAST_ERROR)
            copy_text = app_lastError(buflen, buf)
        case (VERSION)
            copy_text = app_version(buflen, buf)
        case (EQUATION)
            copy_text = rxn_equation(handle, buflen, buf)
        case (RXN_TYPE_TEXT)
            copy_text = rxn_type(handle, buflen, buf)
        case (RXN_ID_TEXT)
            copy_text = rxn_id(handle, buflen, buf)
        case (SPECIES)
            copy_text = reactor_speciesName(handle, k, buflen, buf)
        case (GAS_SPECIES)
            copy_text = gastrans_speciesName(handle, k, buflen, buf)
        case default
            copy_text = trans_transportModel(handle, buflen, buf)
        end select
    end function

    ! The text that C function `which` gives: asked with a length of 0
    ! first, then fetched into a buffer of the size it gave. "" on failure.
    function fetch(which, handle, k) result(text)
        integer, intent(in) :: which
        integer(c_int), intent(in) :: handle, k
        character(len=:), allocatable :: text
        character(kind=c_char), allocatable :: buf(:)
        character(kind=c_char) :: none(1)
        integer(c_int) :: size
        integer :: i
        size = copy_text(which, handle, k, 0_c_int, none)
        if (size <= 0) then
            text = ""
            return
        end if
        allocate (buf(size))
        size = copy_text(which, handle, k, size, buf)
        allocate (character(len=max(size - 1, 0)) :: text)
        do i = 1, len(text)
            text(i:i) = buf(i)
        end do
    end function

    !> The newest error text of the calling thread, removed from its error
    !> stack; "" when there is none.
    function velkora_last_error() result(text)
        character(len=:), allocatable :: text
        integer(c_int) :: left
        text = fetch(LAST_ERROR, 0_c_int, 0_c_int)
        if (app_errorCount() > 0) left = app_popError()
    end function

    !> The version of the library in use, "major.minor.patch".
    function velkora_version() result(text)
        character(len=:), allocatable :: text
        text = fetch(VERSION, 0_c_int, 0_c_int)
    end function

    !> A reaction from its equation ("A + B => C"); its handle, or a failure value.
    integer(c_int) function velkora_new_reaction(equation, forward, reverse)
        character(len=*), intent(in) :: equation
        real(c_double), intent(in) :: forward
        real(c_double), intent(in), optional :: reverse
        real(c_double) :: kr
        kr = 0.0_c_double
        if (present(reverse)) kr = reverse
        velkora_new_reaction = mech_newReaction(c_string(equation), forward, kr)
    end function

    !> The equation of a reaction ("" on failure).
    function velkora_reaction_equation(handle) result(text)
        integer(c_int), intent(in) :: handle
        character(len=:), allocatable :: text
        text = fetch(EQUATION, handle, 0_c_int)
    end function

    !> The type of a reaction, "mass-action" or "three-body" ("" on failure).
    function velkora_reaction_type(handle) result(text)
        integer(c_int), intent(in) :: handle
        character(len=:), allocatable :: text
        text = fetch(RXN_TYPE_TEXT, handle, 0_c_int)
    end function

    !> The identifier of a reaction ("" when it has none, or on failure).
    function velkora_reaction_id(handle) result(text)
        integer(c_int), intent(in) :: handle
        character(len=:), allocatable :: text
        text = fetch(RXN_ID_TEXT, handle, 0_c_int)
    end function

    !> Sets the identifier of a reaction (trailing blanks dropped); 0, or
    !> VELKORA_OTHER_ERROR.
    integer(c_int) function velkora_set_reaction_id(handle, id)
        integer(c_int), intent(in) :: handle
        character(len=*), intent(in) :: id
        velkora_set_reaction_id = rxn_setId(handle, c_string(id))
    end function

    !> The name of species `k` of a reactor, counted from 1 ("" on failure).
    function velkora_species_name(reactor, k) result(text)
        integer(c_int), intent(in) :: reactor, k
        character(len=:), allocatable :: text
        text = fetch(SPECIES, reactor, k - 1_c_int)
    end function

    !> Sets the concentration (mol/m^3) of a species; 0 or a failure value.
    integer(c_int) function velkora_set_concentration(reactor, species, value)
        integer(c_int), intent(in) :: reactor
        character(len=*), intent(in) :: species
        real(c_double), intent(in) :: value
        velkora_set_concentration = reactor_setConcentration(reactor, c_string(species), value)
    end function

    !> The concentration (mol/m^3) of a species, or VELKORA_FAILED.
    real(c_double) function velkora_concentration(reactor, species)
        integer(c_int), intent(in) :: reactor
        character(len=*), intent(in) :: species
        velkora_concentration = reactor_concentration(reactor, c_string(species))
    end function

    !> Normalized sensitivity d ln c / d ln k of species `component` of
    !> reactor `reactor` to the rate of reaction `parameter`, both counted from
    !> 1 (reactor 1 if absent); or VELKORA_FAILED.
    real(c_double) function velkora_sensitivity(net, component, parameter, reactor)
        integer(c_int), intent(in) :: net
        character(len=*), intent(in) :: component
        integer(c_int), intent(in) :: parameter
        integer(c_int), intent(in), optional :: reactor
        integer(c_int) :: r
        r = 0_c_int
        if (present(reactor)) r = reactor - 1_c_int
        velkora_sensitivity = reactornet_sensitivity(net, c_string(component), parameter - 1_c_int, r)
    end function

    !> The name of an evaluator's transport model ("" on failure).
    function velkora_transport_model(handle) result(text)
        integer(c_int), intent(in) :: handle
        character(len=:), allocatable :: text
        text = fetch(MODEL, handle, 0_c_int)
    end function

    !> A hard-sphere gas evaluator for size(molar_mass) species: molar masses
    !> (kg/mol), collision diameters (m) and, optionally, constant molar heat
    !> capacities (J/mol/K; 5/2 R when absent). Its handle, or a failure value.
    integer(c_int) function velkora_new_hard_sphere_gas(molar_mass, diameter, molar_cp)
        use, intrinsic :: iso_c_binding, only: c_loc
        real(c_double), intent(in) :: molar_mass(:), diameter(:)
        real(c_double), intent(in), target, optional :: molar_cp(:)
        real(c_double), allocatable, target :: cp(:)
        if (size(diameter) /= size(molar_mass)) then
            velkora_new_hard_sphere_gas = VELKORA_ERROR
            return
        end if
        if (present(molar_cp)) then
            if (size(molar_cp) /= size(molar_mass)) then
                velkora_new_hard_sphere_gas = VELKORA_ERROR
                return
            end if
            allocate (cp(size(molar_cp)))
            cp(:) = molar_cp ! contiguous, for C
            velkora_new_hard_sphere_gas = gastrans_new(int(size(molar_mass), c_int), molar_mass, diameter, c_loc(cp))
        else
            velkora_new_hard_sphere_gas = gastrans_new(int(size(molar_mass), c_int), molar_mass, diameter, c_null_ptr)
        end if
    end function

    !> Sets the state of a gas evaluator (hard-sphere or kinetic theory):
    !> temperature (K), pressure (Pa) and mole fractions, one per species; 0 or
    !> a failure value.
    integer(c_int) function velkora_set_gas_state(handle, T, P, X)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(in) :: T, P
        real(c_double), intent(in) :: X(:)
        velkora_set_gas_state = gastrans_setState(handle, T, P, int(size(X), c_int), X)
    end function

    !> A kinetic-theory evaluator for species the library has data for
    !> ("N2", "H2O", ...; trailing blanks dropped), with model
    !> "mixture-averaged" or "multicomponent"; its handle, or a failure value.
    integer(c_int) function velkora_new_gas_transport(species, model)
        use, intrinsic :: iso_c_binding, only: c_loc
        character(len=*), intent(in) :: species(:)
        character(len=*), intent(in) :: model
        character(kind=c_char, len=len(species) + 1), allocatable, target :: names(:)
        type(c_ptr), allocatable :: pointers(:)
        integer :: k
        allocate (names(size(species)), pointers(size(species)))
        do k = 1, size(species)
            names(k) = trim(species(k))//c_null_char
            pointers(k) = c_loc(names(k))
        end do
        velkora_new_gas_transport = gastrans_newFromSpecies(int(size(species), c_int), pointers, c_string(model))
    end function

    !> A kinetic-theory evaluator from the caller's molecular data, SI units,
    !> one value per species: names, molar masses (kg/mol), geometries (0
    !> atom, 1 linear, 2 nonlinear), Lennard-Jones well depths over
    !> Boltzmann's constant (K) and diameters (m); optionally dipole moments
    !> (C m), polarizabilities (m^3), rotational collision numbers at 298 K
    !> and constant molar heat capacities (J/mol/K). Its handle, or a failure
    !> value (VELKORA_ERROR also for arrays of different sizes).
    integer(c_int) function velkora_new_gas_transport_from_parameters(names, molar_mass, geometry, well_depth, &
            diameter, model, dipole, polarizability, rot_relax, molar_cp)
        use, intrinsic :: iso_c_binding, only: c_loc
        character(len=*), intent(in) :: names(:)
        real(c_double), intent(in) :: molar_mass(:), well_depth(:), diameter(:)
        integer(c_int), intent(in) :: geometry(:)
        character(len=*), intent(in) :: model
        real(c_double), intent(in), optional :: dipole(:), polarizability(:), rot_relax(:), molar_cp(:)
        character(kind=c_char, len=len(names) + 1), allocatable, target :: cnames(:)
        type(c_ptr), allocatable :: pointers(:)
        real(c_double), allocatable, target :: mu(:), alpha(:), z(:), cp(:)
        type(c_ptr) :: pmu, palpha, pz, pcp
        integer :: k, n
        n = size(names)
        velkora_new_gas_transport_from_parameters = VELKORA_ERROR
        if (size(molar_mass) /= n .or. size(geometry) /= n .or. size(well_depth) /= n .or. size(diameter) /= n) return
        allocate (cnames(n), pointers(n))
        do k = 1, n
            cnames(k) = trim(names(k))//c_null_char
            pointers(k) = c_loc(cnames(k))
        end do
        ! Optional arrays go to C as contiguous copies, or as NULL.
        if (.not. optional_array(dipole, n, mu, pmu)) return
        if (.not. optional_array(polarizability, n, alpha, palpha)) return
        if (.not. optional_array(rot_relax, n, z, pz)) return
        if (.not. optional_array(molar_cp, n, cp, pcp)) return
        velkora_new_gas_transport_from_parameters = gastrans_newFromParameters(int(n, c_int), pointers, molar_mass, &
            geometry, well_depth, diameter, pmu, palpha, pz, pcp, c_string(model))
    end function

    ! An optional array for C: a contiguous copy in `copy` and its address in
    ! `ptr`, or NULL when absent; false when present with a size other than n.
    logical function optional_array(values, n, copy, ptr)
        use, intrinsic :: iso_c_binding, only: c_loc
        real(c_double), intent(in), optional :: values(:)
        integer, intent(in) :: n
        real(c_double), allocatable, target, intent(inout) :: copy(:)
        type(c_ptr), intent(out) :: ptr
        ptr = c_null_ptr
        optional_array = .true.
        if (.not. present(values)) return
        optional_array = size(values) == n
        if (.not. optional_array) return
        allocate (copy(n))
        copy(:) = values
        ptr = c_loc(copy)
    end function

    !> The name of species `k` of a kinetic-theory evaluator, counted from 1
    !> ("" on failure).
    function velkora_gas_species_name(handle, k) result(text)
        integer(c_int), intent(in) :: handle, k
        character(len=:), allocatable :: text
        text = fetch(GAS_SPECIES, handle, k - 1_c_int)
    end function

end module velkora

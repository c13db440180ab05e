!> @file velkora.f90
!> The Fortran module `velkora` over the library's C interface (Fortran 2008):
!> one procedure per C function, in Fortran's conventions.
!>
!> Strings are Fortran character strings (trailing blanks dropped on the way
!> in), indexes count from 1, arrays are Fortran arrays whose size gives the
!> count, and optional arguments stand where C accepts NULL. Handles are
!> integer(c_int), numbers real(c_double). The C functions themselves, under
!> their C names and counting from 0, are in the module `velkora_c`.
!>
!> A failed call returns a failure value (VELKORA_ERROR, VELKORA_NETWORK_ERROR,
!> VELKORA_OTHER_ERROR, or VELKORA_FAILED from functions that return a
!> double; a text function returns ""); velkora_last_error() gives the reason
!> and removes it, and velkora_is_failure(x) tells a failed double from a
!> genuine value.
module velkora
    use, intrinsic :: iso_c_binding, only: c_int, c_double, c_char, c_null_char, c_ptr, c_null_ptr, c_funptr
    use velkora_c
    implicit none
    private

    public :: VELKORA_ERROR, VELKORA_NETWORK_ERROR, VELKORA_OTHER_ERROR, VELKORA_FAILED

    ! The C functions that return text by the string convention.
    integer, parameter :: LAST_ERROR = 1, VERSION = 2, EQUATION = 3, RXN_TYPE_TEXT = 4, RXN_ID_TEXT = 5, &
                          SPECIES = 6, MODEL = 7, GAS_SPECIES = 8, MECH_SPECIES = 9

    ! error stack, log, version
    public :: velkora_is_failure, velkora_last_error, velkora_error_count, velkora_clear_errors, velkora_version
    public :: velkora_set_log_writer
    ! reactions
    public :: velkora_new_reaction, velkora_new_default_reaction, velkora_reaction_equation, velkora_reaction_type
    public :: velkora_reaction_id, velkora_set_reaction_id, velkora_uses_third_body, velkora_reaction_valid
    public :: velkora_allow_nonreactant_orders, velkora_set_allow_nonreactant_orders, velkora_delete_reaction
    public :: velkora_reaction_count
    ! reactors
    public :: velkora_new_reactor, velkora_reactor_species_count, velkora_species_name
    public :: velkora_set_concentration, velkora_concentration, velkora_delete_reactor, velkora_reactor_count
    ! reactor networks
    public :: velkora_new_network, velkora_set_initial_time, velkora_set_max_time_step, velkora_set_tolerances
    public :: velkora_set_sensitivity_tolerances, velkora_advance, velkora_step, velkora_time, velkora_rtol
    public :: velkora_atol, velkora_sensitivity, velkora_delete_network, velkora_network_count
    ! transport evaluators
    public :: velkora_transport_model, velkora_viscosity, velkora_thermal_conductivity
    public :: velkora_electrical_conductivity, velkora_thermal_diff_coeffs, velkora_mix_diff_coeffs
    public :: velkora_binary_diff_coeffs, velkora_multi_diff_coeffs, velkora_molar_fluxes, velkora_mass_fluxes
    public :: velkora_delete_transport, velkora_transport_count
    public :: velkora_new_hard_sphere_gas, velkora_set_gas_state, velkora_new_gas_transport
    public :: velkora_new_gas_transport_from_parameters, velkora_gas_species_count, velkora_gas_species_name
    ! mechanisms
    public :: velkora_mech_load, velkora_mech_n_species, velkora_mech_n_reactions, velkora_mech_species_name
    public :: velkora_mech_species_index, velkora_mech_species_cp, velkora_mech_species_enthalpy
    public :: velkora_mech_species_entropy, velkora_mech_reaction, velkora_delete_mechanism, velkora_mechanism_count
    ! ideal-gas reactors
    public :: velkora_new_ideal_gas_reactor, velkora_reactor_temperature, velkora_reactor_pressure
    public :: velkora_reactor_density, velkora_mole_fraction, velkora_mass_fraction, velkora_set_sensitivities

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
        case (MECH_SPECIES)
            copy_text = mech_speciesName(handle, k, buflen, buf)
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

    ! ---- thin wrappers: the C function under a Fortran name ------------------

    !> Number of entries on the calling thread's error stack.
    integer(c_int) function velkora_error_count()
        velkora_error_count = app_errorCount()
    end function

    !> Empties the calling thread's error stack; 0.
    integer(c_int) function velkora_clear_errors()
        velkora_clear_errors = app_clearErrors()
    end function

    !> Sends the library's log to `writer`, a bind(C) subroutine (text, user
    !> data) given as c_funloc(writer), or back to standard output for
    !> c_null_funptr; 0.
    integer(c_int) function velkora_set_log_writer(writer, user_data)
        type(c_funptr), intent(in) :: writer
        type(c_ptr), intent(in) :: user_data
        velkora_set_log_writer = app_setLogWriter(writer, user_data)
    end function

    !> A reaction in the default state (no species, no rate); its handle.
    integer(c_int) function velkora_new_default_reaction()
        velkora_new_default_reaction = rxn_new()
    end function

    !> 1 when the reaction has a third body, 0 when not; or a failure value.
    integer(c_int) function velkora_uses_third_body(handle)
        integer(c_int), intent(in) :: handle
        velkora_uses_third_body = rxn_usesThirdBody(handle)
    end function

    !> 1 when the reaction is marked valid, 0 when not; or a failure value.
    integer(c_int) function velkora_reaction_valid(handle)
        integer(c_int), intent(in) :: handle
        velkora_reaction_valid = rxn_valid(handle)
    end function

    !> 1 when species other than reactants may have orders, 0 when not; or a
    !> failure value.
    integer(c_int) function velkora_allow_nonreactant_orders(handle)
        integer(c_int), intent(in) :: handle
        velkora_allow_nonreactant_orders = rxn_allowNonreactantOrders(handle)
    end function

    !> Allows or forbids orders of species other than reactants; 0, or
    !> VELKORA_OTHER_ERROR.
    integer(c_int) function velkora_set_allow_nonreactant_orders(handle, allow)
        integer(c_int), intent(in) :: handle
        logical, intent(in) :: allow
        integer(c_int) :: flag
        flag = 0_c_int
        if (allow) flag = 1_c_int
        velkora_set_allow_nonreactant_orders = rxn_setAllowNonreactantOrders(handle, flag)
    end function

    !> Deletes a reaction handle; 0 or a failure value.
    integer(c_int) function velkora_delete_reaction(handle)
        integer(c_int), intent(in) :: handle
        velkora_delete_reaction = rxn_del(handle)
    end function

    !> Reaction handles ever given out, deleted ones included.
    integer(c_int) function velkora_reaction_count()
        velkora_reaction_count = rxn_cabinetSize()
    end function

    !> A batch reactor of the given reactions (their handles); its handle.
    integer(c_int) function velkora_new_reactor(reactions)
        integer(c_int), intent(in) :: reactions(:)
        integer(c_int), allocatable :: handles(:)
        allocate (handles(size(reactions)))
        handles(:) = reactions ! contiguous, for C
        velkora_new_reactor = reactor_new(int(size(handles), c_int), handles)
    end function

    !> Number of species of a reactor, or a failure value.
    integer(c_int) function velkora_reactor_species_count(reactor)
        integer(c_int), intent(in) :: reactor
        velkora_reactor_species_count = reactor_nSpecies(reactor)
    end function

    !> Deletes a reactor handle; 0 or a failure value.
    integer(c_int) function velkora_delete_reactor(reactor)
        integer(c_int), intent(in) :: reactor
        velkora_delete_reactor = reactor_del(reactor)
    end function

    !> Reactor handles ever given out, deleted ones included.
    integer(c_int) function velkora_reactor_count()
        velkora_reactor_count = reactor_cabinetSize()
    end function

    !> A network of the given reactors (their handles); its handle, or
    !> VELKORA_NETWORK_ERROR.
    integer(c_int) function velkora_new_network(reactors)
        integer(c_int), intent(in) :: reactors(:)
        integer(c_int), allocatable :: handles(:)
        allocate (handles(size(reactors)))
        handles(:) = reactors
        velkora_new_network = reactornet_new(int(size(handles), c_int), handles)
    end function

    !> Sets the time (s) the network integrates from; 0 or a failure value.
    integer(c_int) function velkora_set_initial_time(net, t)
        integer(c_int), intent(in) :: net
        real(c_double), intent(in) :: t
        velkora_set_initial_time = reactornet_setInitialTime(net, t)
    end function

    !> Largest internal step (s), 0 for none; 0 or a failure value.
    integer(c_int) function velkora_set_max_time_step(net, step)
        integer(c_int), intent(in) :: net
        real(c_double), intent(in) :: step
        velkora_set_max_time_step = reactornet_setMaxTimeStep(net, step)
    end function

    !> Relative and absolute tolerances of the state; 0 or a failure value.
    integer(c_int) function velkora_set_tolerances(net, rtol, atol)
        integer(c_int), intent(in) :: net
        real(c_double), intent(in) :: rtol, atol
        velkora_set_tolerances = reactornet_setTolerances(net, rtol, atol)
    end function

    !> Relative and absolute tolerances of the sensitivities; 0 or a failure
    !> value.
    integer(c_int) function velkora_set_sensitivity_tolerances(net, rtol, atol)
        integer(c_int), intent(in) :: net
        real(c_double), intent(in) :: rtol, atol
        velkora_set_sensitivity_tolerances = reactornet_setSensitivityTolerances(net, rtol, atol)
    end function

    !> Integrates to exactly time `t` (s); 0 or a failure value.
    integer(c_int) function velkora_advance(net, t)
        integer(c_int), intent(in) :: net
        real(c_double), intent(in) :: t
        velkora_advance = reactornet_advance(net, t)
    end function

    !> Takes one internal step; the new time (s), or VELKORA_FAILED.
    real(c_double) function velkora_step(net)
        integer(c_int), intent(in) :: net
        velkora_step = reactornet_step(net)
    end function

    !> The network's time (s), or VELKORA_FAILED.
    real(c_double) function velkora_time(net)
        integer(c_int), intent(in) :: net
        velkora_time = reactornet_time(net)
    end function

    !> The relative tolerance of the state, or VELKORA_FAILED.
    real(c_double) function velkora_rtol(net)
        integer(c_int), intent(in) :: net
        velkora_rtol = reactornet_rtol(net)
    end function

    !> The absolute tolerance of the state, or VELKORA_FAILED.
    real(c_double) function velkora_atol(net)
        integer(c_int), intent(in) :: net
        velkora_atol = reactornet_atol(net)
    end function

    !> Deletes a network handle; 0 or a failure value.
    integer(c_int) function velkora_delete_network(net)
        integer(c_int), intent(in) :: net
        velkora_delete_network = reactornet_del(net)
    end function

    !> Network handles ever given out, deleted ones included.
    integer(c_int) function velkora_network_count()
        velkora_network_count = reactornet_cabinetSize()
    end function

    !> The mixture viscosity (Pa s) at the evaluator's state, or VELKORA_FAILED.
    real(c_double) function velkora_viscosity(handle)
        integer(c_int), intent(in) :: handle
        velkora_viscosity = trans_viscosity(handle)
    end function

    !> The mixture thermal conductivity (W/m/K), or VELKORA_FAILED.
    real(c_double) function velkora_thermal_conductivity(handle)
        integer(c_int), intent(in) :: handle
        velkora_thermal_conductivity = trans_thermalConductivity(handle)
    end function

    !> The electrical conductivity (S/m), or VELKORA_FAILED.
    real(c_double) function velkora_electrical_conductivity(handle)
        integer(c_int), intent(in) :: handle
        velkora_electrical_conductivity = trans_electricalConductivity(handle)
    end function

    !> Thermal diffusion coefficients (kg/m/s), one per species, into `d`; 0
    !> or a failure value.
    integer(c_int) function velkora_thermal_diff_coeffs(handle, d)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(out) :: d(:)
        real(c_double), allocatable :: work(:)
        allocate (work(size(d)))
        velkora_thermal_diff_coeffs = trans_getThermalDiffCoeffs(handle, int(size(work), c_int), work)
        d(:) = work
    end function

    !> Mixture-averaged diffusion coefficients (m^2/s), one per species, into
    !> `d`; 0 or a failure value.
    integer(c_int) function velkora_mix_diff_coeffs(handle, d)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(out) :: d(:)
        real(c_double), allocatable :: work(:)
        allocate (work(size(d)))
        velkora_mix_diff_coeffs = trans_getMixDiffCoeffs(handle, int(size(work), c_int), work)
        d(:) = work
    end function

    !> Binary diffusion coefficients d(i, j) (m^2/s) of the n species, into
    !> an n by n array; 0 or a failure value.
    integer(c_int) function velkora_binary_diff_coeffs(handle, d)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(out) :: d(:, :)
        real(c_double), allocatable :: work(:, :)
        allocate (work(size(d, 1), size(d, 2)))
        velkora_binary_diff_coeffs = trans_getBinaryDiffCoeffs(handle, int(size(work, 1), c_int), &
                                                               int(size(work), c_int), work)
        d(:, :) = work
    end function

    !> Multicomponent diffusion coefficients d(i, j) (m^2/s), where the model
    !> has them, into an n by n array; 0 or a failure value.
    integer(c_int) function velkora_multi_diff_coeffs(handle, d)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(out) :: d(:, :)
        real(c_double), allocatable :: work(:, :)
        allocate (work(size(d, 1), size(d, 2)))
        velkora_multi_diff_coeffs = trans_getMultiDiffCoeffs(handle, int(size(work, 1), c_int), &
                                                             int(size(work), c_int), work)
        d(:, :) = work
    end function

    !> Molar diffusive fluxes (mol/m^2/s) between two states (mole fractions)
    !> `delta` m apart, into `fluxes`; 0 or a failure value.
    integer(c_int) function velkora_molar_fluxes(handle, state1, state2, delta, fluxes)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(in) :: state1(:), state2(:), delta
        real(c_double), intent(out) :: fluxes(:)
        real(c_double), allocatable :: a(:), b(:), work(:)
        allocate (a(size(state1)), b(size(state2)), work(size(fluxes)))
        a(:) = state1
        b(:) = state2
        velkora_molar_fluxes = trans_getMolarFluxes(handle, int(size(a), c_int), a, int(size(b), c_int), b, &
                                                    delta, int(size(work), c_int), work)
        fluxes(:) = work
    end function

    !> Mass diffusive fluxes (kg/m^2/s), as velkora_molar_fluxes.
    integer(c_int) function velkora_mass_fluxes(handle, state1, state2, delta, fluxes)
        integer(c_int), intent(in) :: handle
        real(c_double), intent(in) :: state1(:), state2(:), delta
        real(c_double), intent(out) :: fluxes(:)
        real(c_double), allocatable :: a(:), b(:), work(:)
        allocate (a(size(state1)), b(size(state2)), work(size(fluxes)))
        a(:) = state1
        b(:) = state2
        velkora_mass_fluxes = trans_getMassFluxes(handle, int(size(a), c_int), a, int(size(b), c_int), b, &
                                                  delta, int(size(work), c_int), work)
        fluxes(:) = work
    end function

    !> Deletes a transport evaluator's handle; 0 or a failure value.
    integer(c_int) function velkora_delete_transport(handle)
        integer(c_int), intent(in) :: handle
        velkora_delete_transport = trans_del(handle)
    end function

    !> Transport handles ever given out, deleted ones included.
    integer(c_int) function velkora_transport_count()
        velkora_transport_count = trans_cabinetSize()
    end function

    !> Number of species of a gas evaluator, or a failure value.
    integer(c_int) function velkora_gas_species_count(handle)
        integer(c_int), intent(in) :: handle
        velkora_gas_species_count = gastrans_nSpecies(handle)
    end function


    ! ---- mechanisms and ideal-gas reactors ---------------------------------

    !> Loads a mechanism in CHEMKIN format (trailing blanks of the paths
    !> dropped); the thermo file may be absent when the mechanism holds all
    !> thermo data. Its handle, or a failure value (the reason names the
    !> file, the line and the fault).
    integer(c_int) function velkora_mech_load(mechanism_file, thermo_file)
        use, intrinsic :: iso_c_binding, only: c_loc
        character(len=*), intent(in) :: mechanism_file
        character(len=*), intent(in), optional :: thermo_file
        character(kind=c_char, len=:), allocatable, target :: thermo
        if (present(thermo_file)) then
            thermo = c_string(thermo_file)
            velkora_mech_load = mech_load(c_string(mechanism_file), c_loc(thermo))
        else
            velkora_mech_load = mech_load(c_string(mechanism_file), c_null_ptr)
        end if
    end function

    !> Number of species of a mechanism, or a failure value.
    integer(c_int) function velkora_mech_n_species(mech)
        integer(c_int), intent(in) :: mech
        velkora_mech_n_species = mech_nSpecies(mech)
    end function

    !> Number of reactions of a mechanism, or a failure value.
    integer(c_int) function velkora_mech_n_reactions(mech)
        integer(c_int), intent(in) :: mech
        velkora_mech_n_reactions = mech_nReactions(mech)
    end function

    !> The name of species `k` of a mechanism, counted from 1 ("" on failure).
    function velkora_mech_species_name(mech, k) result(text)
        integer(c_int), intent(in) :: mech, k
        character(len=:), allocatable :: text
        text = fetch(MECH_SPECIES, mech, k - 1_c_int)
    end function

    !> The index of a species, counted from 1, or a failure value.
    integer(c_int) function velkora_mech_species_index(mech, name)
        integer(c_int), intent(in) :: mech
        character(len=*), intent(in) :: name
        velkora_mech_species_index = mech_speciesIndex(mech, c_string(name))
        if (velkora_mech_species_index >= 0) velkora_mech_species_index = velkora_mech_species_index + 1_c_int
    end function

    !> The standard-state molar heat capacity (J/mol/K) of species `k`
    !> (from 1) at T (K), or VELKORA_FAILED.
    real(c_double) function velkora_mech_species_cp(mech, k, T)
        integer(c_int), intent(in) :: mech, k
        real(c_double), intent(in) :: T
        velkora_mech_species_cp = mech_speciesCp(mech, k - 1_c_int, T)
    end function

    !> The standard-state molar enthalpy (J/mol) of species `k` (from 1), or
    !> VELKORA_FAILED.
    real(c_double) function velkora_mech_species_enthalpy(mech, k, T)
        integer(c_int), intent(in) :: mech, k
        real(c_double), intent(in) :: T
        velkora_mech_species_enthalpy = mech_speciesEnthalpy(mech, k - 1_c_int, T)
    end function

    !> The standard-state molar entropy (J/mol/K) of species `k` (from 1),
    !> or VELKORA_FAILED.
    real(c_double) function velkora_mech_species_entropy(mech, k, T)
        integer(c_int), intent(in) :: mech, k
        real(c_double), intent(in) :: T
        velkora_mech_species_entropy = mech_speciesEntropy(mech, k - 1_c_int, T)
    end function

    !> A reaction handle for reaction `i` (from 1) of a mechanism, sharing
    !> its record; or a failure value.
    integer(c_int) function velkora_mech_reaction(mech, i)
        integer(c_int), intent(in) :: mech, i
        velkora_mech_reaction = mech_reaction(mech, i - 1_c_int)
    end function

    !> Deletes a mechanism handle; 0 or a failure value.
    integer(c_int) function velkora_delete_mechanism(mech)
        integer(c_int), intent(in) :: mech
        velkora_delete_mechanism = mech_del(mech)
    end function

    !> Mechanism handles ever given out, deleted ones included.
    integer(c_int) function velkora_mechanism_count()
        velkora_mechanism_count = mech_cabinetSize()
    end function

    !> A closed, adiabatic ideal-gas reactor of a mechanism: `type`
    !> "constant-pressure", "constant-volume" or "constant-temperature", T
    !> (K), P (Pa), and the composition in mole numbers as "H2:1, O2:1,
    !> N2:3.76". Its handle, or a failure value.
    integer(c_int) function velkora_new_ideal_gas_reactor(mech, type, T, P, composition)
        integer(c_int), intent(in) :: mech
        character(len=*), intent(in) :: type, composition
        real(c_double), intent(in) :: T, P
        velkora_new_ideal_gas_reactor = reactor_newIdealGas(mech, c_string(type), T, P, c_string(composition))
    end function

    !> The temperature (K) of an ideal-gas reactor, or VELKORA_FAILED.
    real(c_double) function velkora_reactor_temperature(reactor)
        integer(c_int), intent(in) :: reactor
        velkora_reactor_temperature = reactor_temperature(reactor)
    end function

    !> The pressure (Pa) of an ideal-gas reactor, or VELKORA_FAILED.
    real(c_double) function velkora_reactor_pressure(reactor)
        integer(c_int), intent(in) :: reactor
        velkora_reactor_pressure = reactor_pressure(reactor)
    end function

    !> The density (kg/m^3) of an ideal-gas reactor, or VELKORA_FAILED.
    real(c_double) function velkora_reactor_density(reactor)
        integer(c_int), intent(in) :: reactor
        velkora_reactor_density = reactor_density(reactor)
    end function

    !> The mole fraction of a species of an ideal-gas reactor, or VELKORA_FAILED.
    real(c_double) function velkora_mole_fraction(reactor, species)
        integer(c_int), intent(in) :: reactor
        character(len=*), intent(in) :: species
        velkora_mole_fraction = reactor_moleFraction(reactor, c_string(species))
    end function

    !> The mass fraction of a species of an ideal-gas reactor, or VELKORA_FAILED.
    real(c_double) function velkora_mass_fraction(reactor, species)
        integer(c_int), intent(in) :: reactor
        character(len=*), intent(in) :: species
        velkora_mass_fraction = reactor_massFraction(reactor, c_string(species))
    end function

    !> Whether a network integrates the sensitivities to an ideal-gas
    !> reactor's rates; 0 or a failure value.
    integer(c_int) function velkora_set_sensitivities(reactor, enabled)
        integer(c_int), intent(in) :: reactor
        logical, intent(in) :: enabled
        integer(c_int) :: flag
        flag = 0_c_int
        if (enabled) flag = 1_c_int
        velkora_set_sensitivities = reactor_setSensitivities(reactor, flag)
    end function

end module velkora

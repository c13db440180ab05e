! The h2 reference case from Fortran: a mechanism, an ideal-gas reactor at
! constant pressure, and the time of T0 + 400 K within 0.2 % of SENKIN's,
! 2.20530e-4 s (CHEMKIN-II's output shipped with Debian's openfoam-examples).
! Exits 77 (skipped) without the reference data, unless the run requires it.
program ignition_test
    use, intrinsic :: iso_c_binding, only: c_int, c_double
    use velkora
    implicit none
    character(len=1024) :: cases, required
    integer :: length, status, failures = 0
    integer(c_int) :: mech, reactor, net, k
    real(c_double) :: time_now, temp_now, time_prev, temp_prev, crossing
    real(c_double), parameter :: senkin = 2.20530e-4_c_double, T0 = 1000.0_c_double
    character(len=:), allocatable :: text

    call get_environment_variable("VELKORA_CHEMISTRY_DATA", cases, length, status)
    if (status /= 0 .or. length == 0) then
        call get_environment_variable("VELKORA_REQUIRE_CHEMISTRY_DATA", required, length, status)
        if (status == 0) error stop "no reference data (scripts/fetch-chemistry.sh)"
        print '(a)', "ignition_test: no reference data; skipped"
        stop 77
    end if
    mech = velkora_mech_load(trim(cases)//"/h2/chemkin/chem.inp", trim(cases)//"/h2/chemkin/therm.dat")
    if (mech < 0) then
        call get_environment_variable("VELKORA_REQUIRE_CHEMISTRY_DATA", required, length, status)
        text = velkora_last_error()
        if (status == 0) then
            print '(a)', text
            error stop 1
        end if
        print '(a, a)', "ignition_test: skipped: ", text
        stop 77
    end if
    call check(velkora_mech_n_species(mech) == 10, "10 species")
    call check(velkora_mech_n_reactions(mech) == 27, "27 reactions")
    call check(velkora_mech_species_name(mech, 1_c_int) == "H2", "species 1 is H2: counted from 1")
    k = velkora_mech_species_index(mech, "O2")
    call check(k == 3, "O2 is species 3")
    ! O2 at 1000 K, NIST-JANAF: cp 34.870 J/mol/K.
    call check(abs(velkora_mech_species_cp(mech, k, 1000.0_c_double) - 34.870_c_double) < 0.2_c_double, "cp of O2")
    call check(velkora_is_failure(velkora_mech_species_cp(mech, k, 6000.0_c_double)), "outside the data range")
    text = velkora_last_error()
    call check(index(text, "lies outside the data range of species 'O2'") > 0, "range message: "//text)

    reactor = velkora_new_ideal_gas_reactor(mech, "constant-pressure", T0, 2.0_c_double * 101325.0_c_double, &
                                            "H2:1, O2:1, N2:3.76")
    call check(reactor >= 0, "velkora_new_ideal_gas_reactor")
    call check(abs(velkora_reactor_density(reactor) - 0.58967_c_double) < 1e-4_c_double, "SENKIN's density")
    net = velkora_new_network([reactor])
    call check(velkora_set_tolerances(net, 1e-8_c_double, 1e-15_c_double) == 0, "tolerances")
    time_prev = 0.0_c_double
    temp_prev = T0
    crossing = -1.0_c_double
    do while (crossing < 0.0_c_double)
        time_now = velkora_step(net)
        if (velkora_is_failure(time_now)) then
            print '(a)', velkora_last_error()
            error stop 1
        end if
        temp_now = velkora_reactor_temperature(reactor)
        if (temp_now >= T0 + 400.0_c_double) then
            crossing = time_prev + (T0 + 400.0_c_double - temp_prev) * (time_now - time_prev) / (temp_now - temp_prev)
        end if
        time_prev = time_now
        temp_prev = temp_now
    end do
    print '(a, es12.5, a, es12.5)', "ignition_test: T0 + 400 K at ", crossing, " s; SENKIN ", senkin
    call check(abs(crossing / senkin - 1.0_c_double) < 2e-3_c_double, "within 0.2 % of SENKIN")
    call check(velkora_mole_fraction(reactor, "H2O") > 0.1_c_double, "water formed")

    call check(velkora_new_ideal_gas_reactor(mech, "constant-pressure", T0, 1e5_c_double, "H2:1, XY:1") &
               == VELKORA_ERROR, "unknown species")
    text = velkora_last_error()
    call check(text == "reactor_newIdealGas: The composition 'H2:1, XY:1' names the unknown species 'XY'.", &
               "message: "//text)
    call check(velkora_mech_load("no/such/chem.inp") == VELKORA_ERROR, "a missing file")
    text = velkora_last_error()
    call check(index(text, "Cannot open the mechanism file 'no/such/chem.inp'") > 0, "message: "//text)

    status = velkora_delete_network(net)
    status = velkora_delete_reactor(reactor)
    status = velkora_delete_mechanism(mech)
    deallocate (text)
    if (failures /= 0) then
        print '(a, i0, a)', "ignition_test: ", failures, " checks failed"
        error stop 1
    end if

contains

    subroutine check(condition, what)
        logical, intent(in) :: condition
        character(len=*), intent(in) :: what
        if (.not. condition) then
            print '(a, a)', "check failed: ", what
            failures = failures + 1
        end if
    end subroutine

end program ignition_test

! The Fortran module against the analytic solution of A => B, the registry's
! messages, a string round trip and the rigid-sphere transport formulas.
program velkora_test
    use, intrinsic :: iso_c_binding, only: c_int, c_double
    use velkora
    implicit none
    integer :: failures = 0
    integer(c_int) :: rxn, reactor, net, gas, gas2, status, handles(1)
    real(c_double) :: t, a, exact, mu, d(1), d2(2), binary(2, 2)
    real(c_double), parameter :: k = 0.5_c_double, a0 = 2.0_c_double, pi = 3.14159265358979323846_c_double
    real(c_double), parameter :: kb = 1.380649e-23_c_double, na = 6.02214076e23_c_double
    character(len=:), allocatable :: text
    integer :: i

    ! A => B in a batch reactor: [A] = a0 exp(-k t), d ln[A] / d ln k = -k t.
    rxn = velkora_new_reaction("A => B", k)
    call check(rxn >= 0, "velkora_new_reaction")
    call check(velkora_reaction_equation(rxn) == "A => B", "equation")
    call check(velkora_reaction_type(rxn) == "mass-action", "type")
    handles(1) = rxn
    reactor = velkora_new_reactor(handles)
    call check(reactor >= 0, "velkora_new_reactor")
    call check(velkora_species_name(reactor, 1_c_int) == "A", "species 1 is A: counted from 1")
    call check(velkora_species_name(reactor, 2_c_int) == "B", "species 2 is B")
    call check(velkora_reactor_species_count(reactor) == 2, "two species")
    call check(velkora_set_concentration(reactor, "A", a0) == 0, "set concentration")
    handles(1) = reactor
    net = velkora_new_network(handles)
    call check(net >= 0, "velkora_new_network")
    call check(velkora_set_tolerances(net, 1e-10_c_double, 1e-14_c_double) == 0, "tolerances")
    do i = 1, 3
        t = real(i, c_double)
        call check(velkora_advance(net, t) == 0, "advance")
        a = velkora_concentration(reactor, "A")
        exact = a0 * exp(-k * t)
        call check(abs(a - exact) <= 1e-7_c_double * exact, "[A] against a0 exp(-k t)")
        call check(abs(velkora_concentration(reactor, "B") - (a0 - exact)) <= 1e-7_c_double, "[B] = a0 - [A]")
        call check(abs(velkora_sensitivity(net, "A", 1_c_int) + k * t) <= 1e-4_c_double * k * t, &
                   "d ln[A] / d ln k = -k t")
    end do

    ! A deleted handle: the failure value, and the registry's message.
    call check(velkora_delete_network(net) == 0, "velkora_delete_network")
    t = velkora_time(net)
    call check(velkora_is_failure(t), "time of a deleted network is a failure")
    text = velkora_last_error()
    call check(text == "Cabinet::at: Object with index "//itoa(net)//" has been deleted.", "registry message: "//text)
    call check(velkora_error_count() == 0, "velkora_last_error removes the message")
    call check(.not. velkora_is_failure(VELKORA_FAILED), "the failure value alone, with no error, is a value")
    status = velkora_set_concentration(reactor, "Z", 1.0_c_double)
    call check(status == VELKORA_ERROR, "unknown species")
    call check(index(velkora_last_error(), "No species 'Z'") > 0, "unknown species message")

    ! Identifiers: a Fortran string in, the same string out.
    call check(velkora_set_reaction_id(rxn, "first order   ") == 0, "set id")
    call check(velkora_reaction_id(rxn) == "first order", "id round trip")
    call check(len(velkora_reaction_id(rxn)) == 11, "id length, trailing blanks dropped")
    call check(velkora_delete_reaction(rxn) == 0, "delete")
    call check(velkora_delete_reaction(rxn) == VELKORA_ERROR, "delete again")
    text = velkora_last_error()

    ! Argon as rigid spheres: mu = 5/16 sqrt(pi m kB T) / (pi s^2), and the
    ! self-diffusion coefficient 3/16 sqrt(2 pi kB T / (m/2)) / (n pi s^2).
    gas = velkora_new_hard_sphere_gas([39.948e-3_c_double], [3.64e-10_c_double])
    call check(gas >= 0, "hard-sphere gas, heat capacity absent")
    call check(velkora_transport_model(gas) == "HardSphere", "model name")
    call check(velkora_set_gas_state(gas, 500.0_c_double, 2e5_c_double, [1.0_c_double]) == 0, "set state")
    mu = 5.0_c_double / 16.0_c_double * sqrt(pi * 39.948e-3_c_double / na * kb * 500.0_c_double) &
         / (pi * 3.64e-10_c_double**2)
    call check(abs(velkora_viscosity(gas) - mu) <= 1e-12_c_double * mu, "viscosity")
    call check(velkora_mix_diff_coeffs(gas, d) == 0, "mixture-averaged diffusion")
    exact = 3.0_c_double / 16.0_c_double * sqrt(2.0_c_double * pi * kb * 500.0_c_double / (39.948e-3_c_double / na / 2)) &
            / (2e5_c_double / (kb * 500.0_c_double) * pi * 3.64e-10_c_double**2)
    call check(abs(d(1) - exact) <= 1e-12_c_double * exact, "self-diffusion")
    call check(velkora_delete_transport(gas) == 0, "velkora_delete_transport")
    gas = velkora_new_hard_sphere_gas([28.0e-3_c_double, 4.0e-3_c_double], [3.75e-10_c_double, 2.18e-10_c_double], &
                                      [29.1_c_double, 20.8_c_double])
    call check(velkora_set_gas_state(gas, 300.0_c_double, 101325.0_c_double, [0.5_c_double, 0.5_c_double]) == 0, "mixture")
    call check(velkora_binary_diff_coeffs(gas, binary) == 0, "binary coefficients")
    call check(abs(binary(1, 2) - binary(2, 1)) <= 1e-15_c_double * binary(1, 2) .and. binary(1, 2) > 0.0_c_double, &
               "D(i, j) is symmetric")
    ! Mass fluxes down a gradient sum to 0; the lighter species moves faster.
    status = velkora_mass_fluxes(gas, [0.6_c_double, 0.4_c_double], [0.4_c_double, 0.6_c_double], 1e-3_c_double, d2)
    call check(status == 0, "mass fluxes")
    call check(abs(d2(1) + d2(2)) <= 1e-12_c_double * abs(d2(1)) .and. d2(1) > 0.0_c_double, "fluxes sum to 0")
    d2(:) = 1.0_c_double
    status = velkora_thermal_diff_coeffs(gas, d2)
    call check(status == 0 .and. maxval(abs(d2)) <= 0.0_c_double, "no thermal diffusion")
    call check(velkora_new_hard_sphere_gas([1.0_c_double], [1.0_c_double, 2.0_c_double]) == VELKORA_ERROR, &
               "mismatched arrays")

    ! Kinetic theory: nitrogen's viscosity at 1000 K against the dilute-gas
    ! correlation of Lemmon and Jacobsen, Int. J. Thermophys. 25, 21 (2004):
    ! 41.54 micro Pa s.
    gas = velkora_new_gas_transport(["N2 ", "H2O"], "mixture-averaged")
    call check(gas >= 0, "kinetic-theory evaluator")
    call check(velkora_gas_species_name(gas, 2_c_int) == "H2O", "kinetic-theory species name")
    call check(velkora_set_gas_state(gas, 1000.0_c_double, 101325.0_c_double, [1.0_c_double, 0.0_c_double]) == 0, &
               "kinetic-theory state")
    call check(abs(velkora_viscosity(gas) / 41.54e-6_c_double - 1.0_c_double) < 0.03_c_double, "N2 viscosity")
    call check(velkora_new_gas_transport(["XY"], "mixture-averaged") == VELKORA_ERROR, "unknown species")
    text = velkora_last_error()
    call check(text == "gastrans_newFromSpecies: Species 0: no data for 'XY'.", "unknown species message: "//text)
    ! Nitrogen from its parameters (those of the shipped data), optional ones absent.
    gas2 = velkora_new_gas_transport_from_parameters(["nitrogen"], [28.0134e-3_c_double], [1_c_int], &
                                                     [97.53_c_double], [3.621e-10_c_double], "multicomponent", &
                                                     rot_relax=[4.0_c_double])
    call check(gas2 >= 0, "evaluator from parameters")
    call check(velkora_set_gas_state(gas2, 1000.0_c_double, 101325.0_c_double, [1.0_c_double]) == 0, "its state")
    call check(abs(velkora_viscosity(gas2) / velkora_viscosity(gas) - 1.0_c_double) < 1e-12_c_double, &
               "the same viscosity as the shipped N2")

    deallocate (text) ! the main program's variables leave no frame to find them in at exit
    if (failures == 0) then
        print '(a, a)', "velkora_test: all checks passed with Velkora ", velkora_version()
    else
        print '(a, i0, a)', "velkora_test: ", failures, " checks failed"
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

    function itoa(n) result(s)
        integer(c_int), intent(in) :: n
        character(len=:), allocatable :: s
        character(len=16) :: buf
        write (buf, '(i0)') n
        s = trim(buf)
    end function

end program velkora_test

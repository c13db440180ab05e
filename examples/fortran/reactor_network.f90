! A small mechanism from Fortran: A -> B -> C with B dimerising reversibly to
! D (the mechanism of examples/reactor_network.c), in one batch reactor.
! Prints the concentrations over time and how strongly B depends on the rate
! of the first reaction.
program reactor_network
    use, intrinsic :: iso_c_binding, only: c_int, c_double
    use velkora
    implicit none
    character(len=1), parameter :: species(4) = ["A", "B", "C", "D"]
    real(c_double), parameter :: times(8) = [0.0_c_double, 0.1_c_double, 0.2_c_double, 0.5_c_double, &
                                             1.0_c_double, 2.0_c_double, 5.0_c_double, 10.0_c_double]
    integer(c_int) :: rxns(3), reactor(1), net, status
    integer :: i, k
    real(c_double) :: c(4)

    rxns(1) = velkora_new_reaction("A => B", 2.0_c_double)
    rxns(2) = velkora_new_reaction("B => C", 1.0_c_double)
    rxns(3) = velkora_new_reaction("2 B <=> D", 0.5_c_double, 0.1_c_double)
    if (any(rxns < 0)) call fail("velkora_new_reaction")
    reactor(1) = velkora_new_reactor(rxns)
    if (reactor(1) < 0) call fail("velkora_new_reactor")
    if (velkora_set_concentration(reactor(1), "A", 2.0_c_double) /= 0) call fail("set concentration")
    net = velkora_new_network(reactor)
    if (net < 0) call fail("velkora_new_network")
    if (velkora_set_tolerances(net, 1e-9_c_double, 1e-14_c_double) /= 0) call fail("tolerances")

    print '(a)', "Batch reactor: A => B (k=2/s), B => C (k=1/s), 2 B <=> D (kf=0.5, kr=0.1 m3/mol/s)"
    print '(a)', ""
    print '(a8, 4a13, a17)', "t (s)", "A (mol/m3)", "B", "C", "D", "dlnB/dln(k1)"
    do i = 1, size(times)
        if (velkora_advance(net, times(i)) /= 0) call fail("velkora_advance")
        do k = 1, 4
            c(k) = velkora_concentration(reactor(1), species(k))
        end do
        print '(f8.2, 4f13.6, f17.6)', velkora_time(net), c, velkora_sensitivity(net, "B", 1_c_int)
    end do

    status = velkora_delete_network(net)
    status = velkora_delete_reactor(reactor(1))
    do i = 1, 3
        status = velkora_delete_reaction(rxns(i))
    end do

contains

    subroutine fail(what)
        character(len=*), intent(in) :: what
        print '(a, a, a)', what, " failed: ", velkora_last_error()
        error stop 1
    end subroutine

end program reactor_network

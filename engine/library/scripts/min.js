// the least of its arguments
function min(){return Math.min.apply(null,arguments);}
